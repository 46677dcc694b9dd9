// Text settings files of "key: value" lines.
#include "config_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "errors.h"
#include "file_io.h"
#include "helpers.h"
#include "messages.h"
#include "paths.h"

namespace {

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Key part of a line: the text before its first colon, empty without one.
std::string_view LineKey(std::string_view line) {
    const auto colon = line.find(':');
    return colon == std::string_view::npos ? std::string_view() : line.substr(0, colon);
}

// Index of the last line among the first MaxConfigLines whose key matches.
std::ptrdiff_t FindLastMatch(const std::vector<std::string>& lines, std::string_view key) {
    const std::string wanted = UpperAscii(key);
    const std::size_t searched = std::min(lines.size(), MaxConfigLines);
    std::ptrdiff_t found = -1;
    for (std::size_t i = 0; i < searched; ++i)
        if (UpperAscii(LineKey(lines[i])) == wanted) found = static_cast<std::ptrdiff_t>(i);
    return found;
}

// Creates an empty file when there is none; false when that fails, or when
// something other than a plain file (a folder) stands in its place.
bool EnsureFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) return S_ISREG(st.st_mode);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
    const auto text = ReadWholeFile(path);
    return text ? SplitLines(*text) : std::vector<std::string>();
}

}  // namespace

std::string ReadConfigValue(std::string_view fileName, std::string_view key, IMessages& messages) {
    EnterProgramDir();
    const std::string path = ResolvePath(fileName);
    if (!EnsureFile(path)) {
        messages.Error("Datei " + std::string(fileName) + " konnte nicht erzeugt werden");
        return {};
    }
    const auto lines = ReadLines(path);
    const auto match = FindLastMatch(lines, key);
    if (match < 0) return {};
    const std::string& line = lines[static_cast<std::size_t>(match)];
    const std::size_t skip = key.size() + 2;
    return skip >= line.size() ? std::string() : line.substr(skip);
}

void WriteConfigValue(std::string_view fileName, std::string_view key, std::string_view value) {
    EnterProgramDir();
    const std::string path = ResolvePath(fileName);
    auto lines = ReadLines(path);
    const std::string newLine = std::string(key) + ": " + std::string(value);
    const auto match = FindLastMatch(lines, key);
    if (match >= 0)
        lines[static_cast<std::size_t>(match)] = newLine;
    else
        lines.push_back(newLine);
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    WriteFileAtomically(path, text);
}

std::string ReadSettingRaw(std::string_view key, IMessages& messages) {
    EnsureSpsDir();
    std::string value = ReadConfigValue("sps/prog.cfg", key, messages);
    if (value.empty() && FileExists("prog.cfg")) value = ReadConfigValue("prog.cfg", key, messages);
    return value;
}

std::string ReadSetting(std::string_view key, std::string_view defaultValue, IMessages& messages) {
    std::string value = ReadSettingRaw(key, messages);
    return value.empty() ? std::string(defaultValue) : value;
}

void WriteSetting(std::string_view key, std::string_view value) {
    EnsureSpsDir();
    WriteConfigValue("sps/prog.cfg", key, value);
}

bool ReadSwitchSetting(std::string_view key, IMessages& messages) {
    return (StrToInt(ReadSetting(key, "0", messages)) & 0xFF) != 0;
}

bool SwitchSettingOn(std::string_view key, IMessages& messages) {
    try {
        return ReadSwitchSetting(key, messages);
    } catch (const EConvertError&) {
        return false;
    }
}
