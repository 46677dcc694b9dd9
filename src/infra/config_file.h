// Text settings files of "key: value" lines (sps/prog.cfg).
#pragma once

#include <string>
#include <string_view>

class IMessages;

// At most this many lines of a settings file are searched; further lines are
// kept in the file but never read.
constexpr std::size_t MaxConfigLines = 3000;

// A file that cannot be made shows "Datei <name> konnte nicht erzeugt werden"
// and reads as empty.
std::string ReadConfigValue(std::string_view fileName, std::string_view key, IMessages& messages);
void WriteConfigValue(std::string_view fileName, std::string_view key, std::string_view value);

// sps/prog.cfg, then the older prog.cfg beside the program, then the default.
std::string ReadSetting(std::string_view key, std::string_view defaultValue, IMessages& messages);
std::string ReadSettingRaw(std::string_view key, IMessages& messages);
void WriteSetting(std::string_view key, std::string_view value);

// A switch in sps/prog.cfg ("caveedit", "smoothscaling"): on when the low
// byte of its decimal value (default 0) is not zero. Raises EConvertError
// when the value is not a decimal integer.
bool ReadSwitchSetting(std::string_view key, IMessages& messages);
// The same, with a value that is not a number counting as off.
bool SwitchSettingOn(std::string_view key, IMessages& messages);
