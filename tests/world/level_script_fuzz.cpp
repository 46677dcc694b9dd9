// Fuzz entry for the level files: any bytes are stored as SPS/Level1.txt,
// read back through the loader and every line is parsed as the script does
// (keyword line and formation row), both unscrambled and as plain text.
// Nothing may crash or read outside its data.
#include <cstdint>
#include <string>
#include <vector>

#include "../support/temp_program_dir.h"
#include "infra/errors.h"
#include "infra/file_io.h"
#include "infra/game_data.h"
#include "infra/helpers.h"
#include "world/level_script.h"
#include "world/swarm.h"

namespace {

// What the interpreter converts: integers and floats may fail only with the
// conversion error.
void Convert(const TScriptLine& line) {
    try {
        (void)StrToInt(line.Value);
    } catch (const EConvertError&) {
    }
    try {
        (void)ParseFloat(line.Value);
    } catch (const EConvertError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TempProgramDir dir;
    SetGameDataDefaults();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    dir.Write("SPS/Level1.txt", bytes);
    std::vector<std::string> lines;
    LoadLevelFile(lines);
    // The plain text too, so that readable seeds reach the parser as written.
    for (const std::string& line : SplitLines(bytes)) lines.push_back(line);
    for (const std::string& raw : lines) {
        const std::string line = NormalisedScriptLine(raw);
        const TScriptLine parsed = ParseScriptLine(line);
        if (parsed.Order < 0 || parsed.Order > static_cast<std::int32_t>(ScriptKeywords.size())) std::abort();
        if (parsed.Value.size() > 200 || parsed.XValue.size() > 200) std::abort();
        Convert(parsed);
        const auto cells = SplitRow(line);
        if (cells.size() > 100) std::abort();
        for (const std::string& cell : cells) {
            char letter = 0;
            std::int32_t step = 0;
            if (ParseCell(cell, letter, step) && (letter < 'a' || letter > 'z' || step < -9 || step > 99))
                std::abort();
        }
    }
    return 0;
}
