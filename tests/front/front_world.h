// A game screen's worth of world for the front tests: a temporary program
// directory, the screen surfaces, the sprite list and the ten element graphic
// objects as blank sheets of their real sizes, with the Front option on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphic_objects.h"
#include "infra/env_data.h"
#include "infra/file_io.h"
#include "infra/paths.h"
#include "support/definitions_builder.h"
#include "support/temp_program_dir.h"
#include "support/test_screen.h"
#include "world/cave_front.h"
#include "world/world.h"

namespace front_test {

struct ElementSize {
    const char* Name;
    int W, H;
};
inline constexpr ElementSize ElementSizes[FrontTypeCount] = {
    {"Element_Boden_1", 288, 296}, {"Element_Boden_2", 323, 196}, {"Element_Boden_3", 273, 109},
    {"Element_Boden_4", 549, 84},  {"Element_Decke_1", 388, 76},  {"Element_Decke_2", 195, 96},
    {"Element_Decke_3", 258, 162}, {"Element_Decke_4", 165, 318}, {"Element_Saeule", 361, 600},
    {"Element_Schlange", 153, 600}};

// One OBJECT block per element type, one picture each, blank sheets.
inline std::vector<std::string> ElementDefinitions() {
    std::string text;
    for (const ElementSize& e : ElementSizes)
        text += defs::Block(e.Name, "CreateAnimation", e.W, e.H, 1, 1, 1,
                            {defs::Ani("standard", "001", "(000/000)")});
    return SplitLines(text);
}

inline std::string Records(const std::vector<TFrontRecord>& records) {
    TFrontRecords all;
    for (std::size_t i = 0; i < records.size(); ++i) all[i] = records[i];
    return EncodeFrontRecords(all);
}

// "" when two file images agree, else where they first differ, record by
// record (so a failure reads better than 4800 escaped bytes).
inline std::string FileDifference(const std::string& got, const std::string& want) {
    if (got.size() != want.size())
        return "size " + std::to_string(got.size()) + " instead of " + std::to_string(want.size());
    const TFrontRecords a = DecodeFrontRecords(got), b = DecodeFrontRecords(want);
    auto text = [](const TFrontRecord& r) {
        return "(" + std::to_string(r.BaseX) + ", " + std::to_string(r.Y) + ", " + std::to_string(r.Z) +
               ", " + std::to_string(r.Type) + ")";
    };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (text(a[i]) != text(b[i]))
            return "record " + std::to_string(i + 1) + ": " + text(a[i]) + " instead of " + text(b[i]);
    return "";
}

class FrontWorld {
public:
    FrontWorld() {
        LoadGOs(ElementDefinitions());
        SetEnvDefaults();
        Env.FrontOn = 1;
    }
    FrontWorld(const FrontWorld&) = delete;
    FrontWorld& operator=(const FrontWorld&) = delete;

    void WriteFront(const std::string& bytes) const { dir.Write("SPS/front.dat", bytes); }
    // The saved file, wherever the folder's spelling put it ("sps" or "SPS").
    std::string ReadFront() const {
        return ReadWholeFile(ResolvePath("SPS/front.dat")).value_or(std::string());
    }
    TFront& Load() {
        Front = std::make_unique<TFront>(screen);
        return *Front;
    }
    std::string LastLogLine() const {
        const auto text = ReadWholeFile(ResolvePath("SPS/LOG.TXT"));
        const auto lines = text ? SplitLines(*text) : std::vector<std::string>{};
        return lines.empty() ? std::string() : lines.back();
    }

    TempProgramDir dir;
    TestScreen engine;
    TGameScreenFields screen;  // the mouse the editing follows
    std::unique_ptr<TFront> Front;
};

}  // namespace front_test
