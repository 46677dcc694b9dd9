// The level script's text: keyword lines, formation rows and their cells.
#include <cstring>

#include "infra/errors.h"
#include "infra/helpers.h"
#include "world/level_script.h"

const std::array<const char*, 11> ScriptKeywords = {"speed",          "bob",          "middleposition", "gap",
                                                    "bobspeed",       "bobspeedstep", "formation",      "end",
                                                    "bobprobability", "bobfreepos",   "bobfuzzytime"};

namespace {

constexpr std::size_t MaxValueLength = 200;
constexpr std::size_t MaxCells = 100;

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string NormalisedScriptLine(const std::string& line) {
    std::size_t b = 0, e = line.size();
    while (b < e && IsBlank(line[b])) ++b;
    while (e > b && IsBlank(line[e - 1])) --e;
    std::string s = line.substr(b, e - b);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

TScriptLine ParseScriptLine(const std::string& line) {
    TScriptLine result;
    std::size_t keywordLength = 0;
    for (std::size_t i = 0; i < ScriptKeywords.size(); ++i) {
        const std::size_t len = std::strlen(ScriptKeywords[i]);
        if (len > keywordLength && line.compare(0, len, ScriptKeywords[i]) == 0) {
            keywordLength = len;
            result.Order = static_cast<std::int32_t>(i + 1);
        }
    }
    if (result.Order == 0) return result;
    const std::string rest = line.substr(keywordLength, MaxValueLength);
    const std::size_t eq = rest.find('=');
    if (eq != std::string::npos) {
        if (eq >= 1) result.XValue = rest.substr(0, eq);
        result.Value = rest.substr(eq + 1, MaxValueLength);
    } else {
        result.Value = rest;
    }
    return result;
}

std::vector<std::string> SplitRow(const std::string& row) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t semi = row.find(';'); semi != std::string::npos && cells.size() < MaxCells;
         semi = row.find(';', start)) {
        cells.push_back(row.substr(start, semi - start));
        start = semi + 1;
    }
    return cells;
}

bool ParseCell(const std::string& cell, char& letter, std::int32_t& speedStep) {
    if (cell.size() < 2 || cell[0] < 'a' || cell[0] > 'z') return false;
    try {
        speedStep = StrToInt(cell.substr(1, 2));
    } catch (const EConvertError&) {
        return false;
    }
    letter = cell[0];
    return true;
}
