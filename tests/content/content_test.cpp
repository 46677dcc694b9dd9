// The generated content against what the game asks of it: every graphic object
// has its sheet at the exact size, every sound name exists, the level script
// reads back, the cave layout is well formed, the pictures have their sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "content/content_resources.h"
#include "content_files.h"
#include "infra/file_io.h"
#include "infra/scrambler.h"

namespace fs = std::filesystem;

namespace {

const std::string kOut = CONTENT_OUT_DIR;

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}
std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}
std::string_view AsText(std::span<const std::uint8_t> s) {
    return {reinterpret_cast<const char*>(s.data()), s.size()};
}

std::vector<std::string> DefinitionLines() {
    const auto text = ContentResources().Find("TEXT", kDefinitionsResource);
    if (!text) return {};
    return TextLines(AsText(*text));
}

TEST(ContentDefinitions, HoldAllObjectsInAnOrderThePrefixSearchResolves) {
    const auto lines = DefinitionLines();
    const auto objects = ParseDefinitions(lines);
    ASSERT_EQ(objects.size(), 57u);
    std::set<std::string> names;
    for (const auto& o : objects) {
        names.insert(Upper(o.name));
        // The loader takes the first line that begins with "OBJECT <name>".
        const std::string key = "OBJECT " + Upper(o.name);
        std::size_t first = 0;
        while (Upper(lines[first]).rfind(key, 0) != 0) ++first;
        EXPECT_EQ(first, o.line) << o.name << " is found at another object's block";
        EXPECT_TRUE(o.kind == "Animation" || o.kind == "CreateAnimation") << o.name;
        EXPECT_FALSE(o.animations.empty()) << o.name;
    }
    EXPECT_EQ(names.size(), 57u);
    for (const char* n :
         {"SPERM1", "BUBBLE", "VIRUS3", "TORPEDO", "KONDOM", "ABROLL", "ROHR", "ZAHLEN", "POINTS",
          "HSLEERFELD1", "HSLEERFELD10", "ELEMENT_SAEULE", "P8", "LEERPOINTS", "VANTOREL"})
        EXPECT_TRUE(names.count(n)) << n;
    EXPECT_FALSE(names.count("SPERM2"));
}

TEST(ContentDefinitions, AnimationLinesKeepTheColumnLayout) {
    std::map<std::string, std::vector<std::string>> anis;
    for (const auto& o : ParseDefinitions(DefinitionLines())) anis[Upper(o.name)] = o.animations;
    EXPECT_EQ(anis["TORPEDO"], (std::vector<std::string>{"standard 001-012; (002/000)"}));
    EXPECT_EQ(anis["SPERM1"][1], "schnell  1,3,5,7,9,11; (002/000)");
    EXPECT_EQ(anis["ABROLL"][0], "standard 006-001; (002/000)");
    EXPECT_EQ(anis["ROHR"][1], "leer     001,001,001,001,001,001; (001/000)");
    EXPECT_EQ(anis["POINTS"][0], "standard 1-51; (000/000)");
    ASSERT_EQ(anis["ZAHLEN"].size(), 11u);
    EXPECT_EQ(anis["ZAHLEN"][10], "kondom   011; (002/000)");
    ASSERT_EQ(anis["CONGRATULATIONS"].size(), 16u);
    EXPECT_EQ(anis["CONGRATULATIONS"][15], "!        016; (002/000)");
}

TEST(ContentSheets, EveryAnimationHasAKeyedSheetOfTheExactSizeAndItsMask) {
    const std::set<std::string> soft = {"BUBBLE", "P1",     "P2",      "P3",         "P4",
                                        "P5",     "P6",     "P7",      "P8",         "SPERM1",
                                        "SPERM3", "VIRUS1", "VIRUS2",  "VIRUS3",     "SCHUSS",
                                        "ABROLL", "KONDOM", "TORPEDO", "VELMORALOGO"};
    int sheets = 0;
    for (const auto& o : ParseDefinitions(DefinitionLines())) {
        if (o.kind != "Animation") continue;
        ++sheets;
        const auto res = ContentResources().Find("BITMAP", Upper(o.name));
        ASSERT_TRUE(res) << o.name;
        const std::string_view bmp = AsText(*res);
        const auto info = ReadBmpInfo(bmp);
        ASSERT_TRUE(info) << o.name;
        EXPECT_EQ(info->width, o.frameW * o.columns) << o.name;
        EXPECT_EQ(info->height, o.frameH * o.rows) << o.name;
        EXPECT_EQ(info->bits, 24) << o.name;
        EXPECT_EQ(o.pictures, o.columns * o.rows) << o.name;
        // Once a sheet is decoded its bytes leave memory, but stay readable.
        ContentResources().Done(*res);
        EXPECT_TRUE(ReadFileOrEmpty(kOut + "/gfx/sb/" + o.name + ".bmp") == bmp)
            << o.name << ": file and resource differ";
        const std::string maskPath = kOut + "/gfx/sb/" + o.name + "_mask.bmp";
        EXPECT_EQ(fs::exists(maskPath), soft.count(Upper(o.name)) == 1) << o.name;
        if (!fs::exists(maskPath)) continue;
        const std::string mask = ReadFileOrEmpty(maskPath);
        const auto m = ReadBmpInfo(mask);
        ASSERT_TRUE(m) << maskPath;
        EXPECT_EQ(m->bits, 8);
        EXPECT_EQ(m->width, info->width);
        EXPECT_EQ(m->height, info->height);
        // Where the mask shows the sprite, the sheet must not hold the key,
        // not even once reduced to 5-6-5.
        int keyedButShown = 0, shown = 0;
        for (int y = 0; y < info->height; ++y)
            for (int x = 0; x < info->width; ++x) {
                if (BmpPixel8(mask, *m, x, y) == 0) continue;
                ++shown;
                const std::uint32_t c = BmpPixel24(bmp, *info, x, y);
                if ((c >> 19) == 0 && ((c >> 10) & 63) == 0 && ((c >> 3) & 31) == 0) ++keyedButShown;
            }
        EXPECT_EQ(keyedButShown, 0) << o.name;
        EXPECT_GT(shown, info->width * info->height / 20) << o.name << " is nearly empty";
    }
    EXPECT_EQ(sheets, 43);
}

TEST(ContentPictures, MenuBackAndInfoPicturesHaveTheirSizes) {
    for (const auto& [name, w, h] :
         {std::tuple{"MENUE", 400, 350}, {"MENUE_NET", 400, 350}, {"BACK", 800, 600}}) {
        const auto res = ContentResources().Find("JPEG", name);
        ASSERT_TRUE(res) << name;
        EXPECT_EQ(JpegSize(AsText(*res)), std::make_pair(w, h)) << name;
    }
    for (const char* f : {"/gfx/sb/Info.jpg", "/gfx/sb/Back.jpg", "/gfx/fb/Back.jpg", "/gfx/fb/Info.jpg"})
        EXPECT_EQ(JpegSize(ReadFileOrEmpty(kOut + f)), std::make_pair(800, 600)) << f;
    EXPECT_FALSE(ContentResources().Find("JPEG", "NOSUCH"));
    EXPECT_TRUE(ContentResources().Find("jpeg", "menue_net")) << "names compare without regard to case";
}

TEST(ContentSounds, EveryNameTheGameUsesExists) {
    std::map<std::string, std::string> files;  // lower-cased name -> file name
    for (const auto& e : fs::directory_iterator(kOut + "/snd"))
        files[Lower(e.path().filename().string())] = e.path();
    for (const char* name :
         {"spermdurch", "schussab", "Torpedo", "bubbleize", "abroll", "bubble", "sperm3", "virus1", "virus2",
          "virus3", "leer", "coming", "bigtime", "TR_06_03", "TR_50_07", "TR_50_08", "TR_66_02"}) {
        const auto it = files.find(Lower(name) + ".wav");
        ASSERT_NE(it, files.end()) << name;
        const auto w = ReadWaveInfo(ReadFileOrEmpty(it->second));
        ASSERT_TRUE(w) << name;
        EXPECT_EQ(w->format, 1);
        EXPECT_EQ(w->rate, 44100);
        EXPECT_EQ(w->bits, 16);
        EXPECT_GT(w->dataBytes, 44100u * w->channels * 2 / 20) << name << " is shorter than 50 ms";
        EXPECT_LT(w->dataBytes, 44100u * w->channels * 2 * 3) << name << " is longer than 3 s";
    }
    // Music comes as MP3 only, so the first start converts it; TR_36_03 is Tr_36_03.
    std::map<std::string, double> minSeconds = {{"track 30", 20}, {"back", 100}, {"tr_36_03", 1}};
    for (const auto& [name, seconds] : minSeconds) {
        const auto it = files.find(name + ".mp3");
        ASSERT_NE(it, files.end()) << name;
        EXPECT_GE(Mp3Seconds(ReadFileOrEmpty(it->second)), seconds) << name;
    }
    EXPECT_LT(Mp3Seconds(ReadFileOrEmpty(files["tr_36_03.mp3"])), 6.0);
}

TEST(ContentLevel, UnscramblesToTheReadableScript) {
    const auto scrambled = ReadWholeFile(kOut + "/sps/Level1.txt");
    ASSERT_TRUE(scrambled);
    const auto plain = ReadWholeFile(std::string(CONTENT_SOURCE_DIR) + "/Level1.txt");
    ASSERT_TRUE(plain);
    const auto lines = SplitLines(*scrambled), source = SplitLines(*plain);
    ASSERT_EQ(lines.size(), source.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(UnscrambleText(lines[i]), source[i]) << i;
}

TEST(ContentLevel, UsesOnlyKnownKeywordsAllKindsAndDefinedFormations) {
    const auto lines = SplitLines(*ReadWholeFile(std::string(CONTENT_SOURCE_DIR) + "/Level1.txt"));
    const char* keywords[] = {"speed",          "bob",          "middleposition", "gap",
                              "bobspeed",       "bobspeedstep", "formation",      "end",
                              "bobprobability", "bobfreepos",   "bobfuzzytime"};
    std::set<std::string> kinds, formations, used;
    std::map<char, std::string> letters;
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        const std::string l = lines[i];
        if (l.empty()) continue;
        if (l == "end") break;
        EXPECT_TRUE(std::any_of(std::begin(keywords), std::end(keywords), [&](const char* k) {
            return l.rfind(k, 0) == 0;
        })) << l;
        if (l.rfind("bob", 0) == 0 && l.size() > 5 && l[4] == '=' &&
            std::islower(static_cast<unsigned char>(l[3])))
            letters[l[3]] = l.substr(5);
        if (l.rfind("formation=", 0) == 0) used.insert(l.substr(10));
        if (l == "bobfreepos=1") kinds.insert("(free positions)");
        if (l.rfind("bobfuzzytime=", 0) == 0 && l != "bobfuzzytime=0") kinds.insert("(fuzzy time)");
    }
    ASSERT_LT(i, lines.size()) << "the main script has no end";
    EXPECT_TRUE(kinds.count("(free positions)"));
    EXPECT_TRUE(kinds.count("(fuzzy time)"));
    for (; i < lines.size(); ++i) {
        if (lines[i].rfind("DefineFormation", 0) == 0) {
            formations.insert(lines[i].substr(15));
            continue;
        }
        for (std::size_t c = 0; c < lines[i].size(); ++c)
            if (std::islower(static_cast<unsigned char>(lines[i][c])) && lines[i] != "end") {
                ASSERT_TRUE(letters.count(lines[i][c])) << "unassigned letter in " << lines[i];
                kinds.insert(letters[lines[i][c]]);
            }
    }
    for (const auto& f : used) EXPECT_TRUE(formations.count(f)) << "formation " << f << " is not defined";
    for (const char* k : {"sperm1", "sperm2", "sperm3", "virus1", "virus2", "virus3"})
        EXPECT_TRUE(kinds.count(k)) << k;
}

TEST(ContentFront, HoldsOnlyElementTypesOrEmptyRecordsAlongTheStrip) {
    const std::string front = ReadFileOrEmpty(kOut + "/sps/front.dat");
    ASSERT_EQ(front.size(), 4800u);
    auto field = [&front](std::size_t rec, int k) {
        std::uint32_t v = 0;
        for (int b = 3; b >= 0; --b) v = v << 8 | static_cast<std::uint8_t>(front[rec * 16 + k * 4 + b]);
        return static_cast<std::int32_t>(v);
    };
    int elements = 0, columns = 0;
    for (std::size_t r = 0; r < 300; ++r) {
        if (field(r, 0) == -1) {
            for (int k = 1; k < 4; ++k) EXPECT_EQ(field(r, k), -1) << r;
            continue;
        }
        ++elements;
        EXPECT_GE(field(r, 3), 1);
        EXPECT_LE(field(r, 3), 10);
        EXPECT_GE(field(r, 0), -23500);
        EXPECT_LE(field(r, 0), -1000);
        // Floor and ceiling pieces stay out of the middle band where the
        // enemies fly; only the few columns cross it.
        static const int heights[11] = {0, 296, 196, 109, 84, 76, 96, 162, 318, 600, 600};
        const int type = std::clamp(field(r, 3), 0, 10), y = field(r, 1);
        if (type >= 1 && type <= 4) {
            EXPECT_GE(y - heights[type] / 2, 360) << "floor piece in record " << r;
        } else if (type >= 5 && type <= 8) {
            EXPECT_LE(y + heights[type] / 2, 240) << "ceiling piece in record " << r;
        } else {
            EXPECT_EQ(y, 300);
        }
        EXPECT_EQ(field(r, 2), -1);
        if (field(r, 3) >= 9) ++columns;
    }
    EXPECT_GT(elements, 120);
    EXPECT_GE(columns, 3);
    EXPECT_LE(columns, 10);
}

}  // namespace
