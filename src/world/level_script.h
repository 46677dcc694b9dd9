// The level script's text: keyword lines, formation rows and their cells.
// Pure text functions, used by the swarm and the level editor.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A parsed script line: the keyword's table number (0 for none), the text
// before the first "=" and the value.
struct TScriptLine {
    std::int32_t Order = 0;
    std::string XValue;
    std::string Value;
};

// The keywords in table order; Order n is ScriptKeywords[n - 1].
extern const std::array<const char*, 11> ScriptKeywords;

// A line as the script reads it: lower-cased, without surrounding blanks.
std::string NormalisedScriptLine(const std::string& line);
// The longest keyword prefix of an already lower-cased, trimmed line.
TScriptLine ParseScriptLine(const std::string& line);
// The cells of a formation row, each terminated by ";" (at most 100).
std::vector<std::string> SplitRow(const std::string& row);
// A cell that launches: a letter a-z and one or two digits that form an
// integer (further characters are ignored). False for empty or bad cells.
bool ParseCell(const std::string& cell, char& letter, std::int32_t& speedStep);
