// Graphic objects: loading the OBJECT blocks of the animation definitions into
// the registries of sheets, sprites and GOs, and looking frames up.
#include "engine/graphic_objects.h"

#include <stdexcept>

#include "infra/helpers.h"
#include "infra/log.h"
#include "infra/paths.h"

namespace {

TGORegistry registry;

// The five numbered header lines after the OBJECT line.
struct GridHeader {
    std::int32_t FrameW, FrameH, Pictures, Columns, Rows;
};

GridHeader ReadHeader(const std::vector<std::string>& lines, int a) {
    GridHeader h{};
    h.FrameW = HeaderNumber(LineAt(lines, a));
    h.FrameH = HeaderNumber(LineAt(lines, a + 1));
    h.Pictures = HeaderNumber(LineAt(lines, a + 2));
    h.Columns = HeaderNumber(LineAt(lines, a + 3));
    h.Rows = HeaderNumber(LineAt(lines, a + 4));
    return h;
}

std::string SheetFileName(const std::string& base) {
    return GetDataDir() + "/gfx/sb/" + base;
}

// The frame size along one side of the sheet; the words name the side in
// the message of a sheet that is not a whole number of frames.
std::int32_t FrameSize(const std::string& name, std::int32_t sheet, std::int32_t count, const char* sheetWord,
                       const char* frameWord, const char* countWord) {
    const std::int32_t frame = count >= 1 ? sheet / count : 0;
    if (count < 1 || frame * count != sheet)
        throw std::runtime_error(
            "LoadGO: Ma\xDF"
            "e von " +
            name + " nicht stimmig: " + sheetWord + "(" + std::to_string(sheet) + ")," + frameWord + "(" +
            std::to_string(frame) + ")," + countWord + "(" + std::to_string(count) + ")");
    return frame;
}

// Sheet size must be a whole number of frames. A count below 1 can never
// divide a sheet, so it fails the same check instead of dividing by zero.
void CheckGrid(const std::string& name, std::int32_t sheetW, std::int32_t sheetH, GridHeader& h) {
    h.FrameW =
        FrameSize(name, sheetW, h.Columns, "Gesamtbreite", "Animationsbreite", "hor. Animationsanzahl");
    h.FrameH = FrameSize(name, sheetH, h.Rows, "Gesamthoehe", "Animationshoehe", "ver. Animationsanzahl");
}

void AddSprite(int surfaceNumber, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    if (registry.Sprites.size() + 1 > static_cast<std::size_t>(MaxSprites))
        throw std::runtime_error("Exception raised in LoadGO: Too many sprites");
    const TRegisteredSurface& sheet = registry.Surfaces[static_cast<std::size_t>(surfaceNumber - 1)];
    registry.Sprites.push_back(TSprite{surfaceNumber, sheet.Mask, x, y, w, h});
}

// The mask of a sheet loaded from a file, used only when it covers the sheet
// exactly: the blends index it with the sheet's coordinates.
void AttachMask(const std::string& name, TRegisteredSurface& sheet) {
    const std::string file = SheetFileName(name + "_mask.bmp");
    std::int32_t maskW = 0, maskH = 0;
    TAlphaMaskRef mask = LoadAlphaMask(file, maskW, maskH);
    if (!mask) return;
    const auto w = static_cast<std::int32_t>(sheet.Surface->Width());
    const auto h = static_cast<std::int32_t>(sheet.Surface->Height());
    if (maskW != w || maskH != h) {
        WriteLog("LoadGO: Maske " + file +
                 " nicht verwendet: Ma\xDF"
                 "e(" +
                 std::to_string(maskW) + "x" + std::to_string(maskH) + ") statt (" + std::to_string(w) + "x" +
                 std::to_string(h) + ")");
        return;
    }
    sheet.Mask = std::move(mask);
}

std::int32_t LoadFramedGO(const std::vector<std::string>& lines, const std::string& name, int kind, int a,
                          GridHeader h) {
    std::int32_t sheetW = 0, sheetH = 0;
    TSurfaceRef sheet;
    if (kind == goAnimation) {
        creatememsurface(SheetFileName(name + ".bmp"), sheetW, sheetH, true, DDSCAPS_SYSTEMMEMORY, sheet);
        AttachMask(name, registry.Surfaces.back());
    } else {
        CheckGrid(name, h.FrameW * h.Columns, h.FrameH * h.Rows, h);
        sheetW = h.FrameW * h.Columns;
        sheetH = h.FrameH * h.Rows;
        creatememsurface("", sheetW, sheetH, true, DDSCAPS_SYSTEMMEMORY, sheet);
    }
    const int surfaceNumber = static_cast<int>(registry.Surfaces.size());
    CheckGrid(name, sheetW, sheetH, h);
    const std::string& arrangement = LineAt(lines, a + 5);
    const bool vertical = !arrangement.empty() && (arrangement[0] == 'V' || arrangement[0] == 'v');
    LoadAnimations(lines, name, h.Pictures);
    const auto go = static_cast<std::int32_t>(registry.GOs.size());
    for (std::int32_t k = 0; k < h.Pictures; ++k) {
        const std::int32_t column = vertical ? k / h.Rows : k % h.Columns;
        const std::int32_t row = vertical ? k % h.Rows : k / h.Columns;
        AddSprite(surfaceNumber, column * h.FrameW, row * h.FrameH, h.FrameW, h.FrameH);
    }
    return go;
}

// A Picture GO: a sheet with freely placed rectangles and no animations.
std::int32_t LoadPictureGO(const std::vector<std::string>& lines, const std::string& name, int a,
                           const GridHeader& h) {
    std::int32_t sheetW = 0, sheetH = 0;
    TSurfaceRef sheet;
    creatememsurface(SheetFileName(name + ".bmp"), sheetW, sheetH, true, DDSCAPS_SYSTEMMEMORY, sheet);
    AttachMask(name, registry.Surfaces.back());
    const int surfaceNumber = static_cast<int>(registry.Surfaces.size());
    const auto first = static_cast<std::int32_t>(registry.Sprites.size()) + 1;
    for (std::int32_t k = 0; k < h.Pictures; ++k) {
        const std::string& line = LineAt(lines, a + 5 + k);
        AddSprite(surfaceNumber, StrToInt(TrimText(Columns(line, 5, 4))),
                  StrToInt(TrimText(Columns(line, 10, 4))), StrToInt(TrimText(Columns(line, 15, 4))),
                  StrToInt(TrimText(Columns(line, 20, 4))));
    }
    return first;
}

}  // namespace

TGORegistry& GORegistry() {
    return registry;
}

void LoadGOs(const std::vector<std::string>& lines) {
    for (const std::string& raw : lines) {
        const std::string line = UpperText(TrimText(raw));
        if (!line.starts_with("OBJECT")) continue;
        const auto colon = line.find(':');
        // The name runs from column 8 to the colon, which must come after it.
        if (colon == std::string::npos || colon + 1 <= 8) continue;
        LoadGO(lines, line.substr(7, colon - 7));
    }
}

std::int32_t LoadGO(const std::vector<std::string>& lines, const std::string& name) {
    const int a = FindKeyword(lines, "OBJECT " + name, 0);
    const int kind = GOKind(LineAt(lines, a - 1));
    if (kind == goMovielist) return -1;
    const GridHeader h = ReadHeader(lines, a);
    switch (kind) {
        case goAnimation:
        case goCreateAnimation:
            return LoadFramedGO(lines, name, kind, a, h);
        case goPicture:
            return LoadPictureGO(lines, name, a, h);
        default:
            return -1;
    }
}
