// vantorel-content: draws and synthesises the game's data and lays it beside
// the program (gfx/sb, GFX/<set>, snd, sps) with a list of what it wrote
// (content-files.txt, for installing), the launcher icon in its sizes
// (icons/hicolor), the C++ source of the resource table, and a contact sheet
// of all the art.
//
//   vantorel-content --out DIR --level LEVEL.txt --resources FILE.cpp [--preview FILE.png]
//                    [--icon-name NAME]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "art.h"
#include "canvas.h"
#include "content/resource_data.h"
#include "data_files.h"
#include "icon.h"
#include "image_files.h"
#include "infra/file_io.h"
#include "infra/paths.h"
#include "objects.h"
#include "preview.h"
#include "resource_source.h"
#include "scene.h"
#include "sounds.h"

namespace {

struct Options {
    std::string out, level, resources, preview, iconName = "vantorel";
};

Options ParseArgs(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--out")
            o.out = value;
        else if (key == "--level")
            o.level = value;
        else if (key == "--resources")
            o.resources = value;
        else if (key == "--preview")
            o.preview = value;
        else if (key == "--icon-name")
            o.iconName = value;
        else
            throw std::runtime_error("unknown option " + key);
    }
    if (o.out.empty() || o.level.empty() || o.resources.empty())
        throw std::runtime_error(
            "usage: vantorel-content --out DIR --level LEVEL.txt --resources FILE.cpp [--preview FILE.png] "
            "[--icon-name NAME]");
    return o;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path);
}

// The game's data files written so far, relative to the output folder, as
// spelled on disk: what an install copies (and nothing a run of the program
// left beside them).
class TWrittenFiles {
public:
    void Add(const std::string& relative) {
        std::lock_guard lock(mutex_);
        files_.push_back(relative);
    }
    std::string Text() {
        std::lock_guard lock(mutex_);
        std::sort(files_.begin(), files_.end());
        std::string text;
        for (const std::string& f : files_) text += f + "\n";
        return text;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> files_;
};

TWrittenFiles g_written;

// Writes below the output folder through the game's own resolver, so "sps"
// and "SPS" stay one folder however an earlier run spelled it.
void Put(const std::string& relative, const std::string& bytes) {
    const std::string path = ResolvePath(relative);
    WriteBytes(path, bytes);
    g_written.Add(path.substr(GetProgramDir().size() + 1));
}

// The launcher icon in every size, in the layout of the icon theme.
void MakeIcons(const std::string& name) {
    for (int size : IconSizes()) {
        const std::string dir =
            "icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        EnsureDir(dir);
        WriteBytes(ResolvePath(dir + "/" + name + ".png"), EncodeIconPng(size));
    }
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

std::unique_ptr<Canvas> DrawSheet(const GoSpec& go) {
    const FrameDrawer draw = FindFrameDrawer(go.name);
    if (!draw) throw std::runtime_error("no drawing for " + go.name);
    auto sheet = std::make_unique<Canvas>(go.frameW * go.columns, go.frameH * go.rows);
    for (int k = 0; k < go.pictures; ++k) {
        SavedState s(sheet->cr());
        const int col = k % go.columns, row = k / go.columns;
        cairo_rectangle(sheet->cr(), col * go.frameW, row * go.frameH, go.frameW, go.frameH);
        cairo_clip(sheet->cr());
        cairo_translate(sheet->cr(), col * go.frameW, row * go.frameH);
        draw(sheet->cr(), go.frameW, go.frameH, k);
    }
    return sheet;
}

std::unique_ptr<Canvas> Picture(int w, int h, void (*draw)(cairo_t*, int, int, int), int variant) {
    auto c = std::make_unique<Canvas>(w, h);
    draw(c->cr(), w, h, variant);
    return c;
}

void MenuDrawer(cairo_t* cr, int w, int h, int net) {
    DrawMenuPicture(cr, w, h, net != 0);
}

void MakeSounds() {
    for (const NamedSound& s : MakeEffects()) Put("snd/" + s.name + ".wav", EncodeWav(s.audio));
    for (const NamedSound& s : MakeMusic()) Put("snd/" + s.name + ".mp3", EncodeMp3(s.audio, 160));
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Everything drawn in one run, kept for the resource table and the preview.
struct Generation {
    std::vector<ResourceItem> resources;
    std::vector<std::unique_ptr<Canvas>> keep;
    std::vector<PreviewItem> preview;
    std::map<std::string, SceneSheet> byName;
    const Canvas* back = nullptr;
    std::string front;

    void Sheets() {
        for (const GoSpec& go : GraphicObjects()) {
            if (go.kind != GoKind::Animation) continue;
            keep.push_back(DrawSheet(go));
            const Canvas& sheet = *keep.back();
            byName[Upper(go.name)] = {&go, &sheet};
            const std::string bmp = EncodeSheetBmp(sheet, go.masked);
            Put("gfx/sb/" + go.name + ".bmp", bmp);
            if (go.masked) Put("gfx/sb/" + go.name + "_mask.bmp", EncodeMaskBmp(sheet));
            resources.push_back({"BITMAP", Upper(go.name), bmp});
            preview.push_back({go.name + "  " + std::to_string(go.frameW) + "x" + std::to_string(go.frameH) +
                                   " x" + std::to_string(go.pictures) + (go.masked ? "  (mask)" : ""),
                               &sheet, go.frameW, go.frameH, go.pictures, go.columns, go.masked, true});
        }
    }

    void Pictures() {
        struct PictureJob {
            std::string label, file, resource;
            int w, h;
            void (*draw)(cairo_t*, int, int, int);
            int variant;
        };
        const PictureJob pictures[] = {
            {"MENUE 400x350", "", "MENUE", 400, 350, MenuDrawer, 0},
            {"MENUE_NET 400x350", "", "MENUE_NET", 400, 350, MenuDrawer, 1},
            {"BACK = GFX/sb/Back 800x600", "GFX/sb/Back.jpg", "BACK", 800, 600, DrawBackground, 0},
            {"GFX/sb/Info 800x600", "GFX/sb/Info.jpg", "", 800, 600, DrawInfoPicture, 0},
            {"GFX/fb/Back 800x600", "GFX/fb/Back.jpg", "", 800, 600, DrawBackground, 1},
            {"GFX/fb/Info 800x600", "GFX/fb/Info.jpg", "", 800, 600, DrawInfoPicture, 1},
        };
        for (const PictureJob& p : pictures) {
            keep.push_back(Picture(p.w, p.h, p.draw, p.variant));
            if (p.resource == "BACK") back = keep.back().get();
            const std::string jpeg = EncodeJpeg(*keep.back(), 92);
            if (!p.file.empty()) Put(p.file, jpeg);
            if (!p.resource.empty()) resources.push_back({"JPEG", p.resource, jpeg});
            preview.push_back({p.label, keep.back().get(), p.w, p.h, 1, 1, false, false});
        }
        resources.push_back({"TEXT", kDefinitionsResource, DefinitionsText()});
    }

    void LevelAndCave(const std::string& levelPath) {
        const auto plain = ReadWholeFile(levelPath);
        if (!plain) throw std::runtime_error("cannot read " + levelPath);
        Put("sps/Level1.txt", ScrambleLevel(*plain));
        front = MakeFrontLayout();
        Put("sps/front.dat", front);
    }

    void ResourceTable(const std::string& path) const {
        const std::string source = ResourceTableSource(resources);
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f.write(source.data(), static_cast<std::streamsize>(source.size()));
        if (!f) throw std::runtime_error("cannot write " + path);
    }

    void Preview(const std::string& path) {
        keep.push_back(ComposeTitleScene(byName, *back));
        preview.push_back({"Sample frame: title screen", keep.back().get(), 800, 600, 1, 1, false, false});
        keep.push_back(ComposePlayScene(byName, *back, front));
        preview.push_back({"Sample frame: play", keep.back().get(), 800, 600, 1, 1, false, false});
        WritePreview(preview, path);
    }
};

void Run(const Options& o) {
    const auto start = std::chrono::steady_clock::now();
    SetProgramDir(o.out);
    for (const char* dir : {"gfx/sb", "GFX/sb", "GFX/fb", "snd", "sps"}) EnsureDir(dir);
    std::exception_ptr soundError;
    {
        // The sounds take longest (the MP3 encoding): they run beside the
        // drawing, and the thread is joined however the drawing ends.
        std::jthread sounds([&soundError] {
            try {
                MakeSounds();
            } catch (...) {
                soundError = std::current_exception();
            }
        });
        Generation g;
        g.Sheets();
        g.Pictures();
        g.LevelAndCave(o.level);
        std::printf("content: pictures drawn in %.1f s\n", Seconds(start));
        g.ResourceTable(o.resources);
        if (!o.preview.empty()) g.Preview(o.preview);
        MakeIcons(o.iconName);
    }
    if (soundError) std::rethrow_exception(soundError);
    WriteBytes(ResolvePath("content-files.txt"), g_written.Text());
    std::printf("content: done in %.1f s\n", Seconds(start));
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Run(ParseArgs(argc, argv));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantorel-content: %s\n", e.what());
        return 1;
    }
}
