// Letter case of Windows-1252 byte strings, as sound names compare.
#pragma once

#include <string>
#include <string_view>

// Lower case of ASCII and of the Windows-1252 letters (so "\xD6" gives "\xF6").
std::string AnsiLowerCase(std::string_view text);
// Byte order of the lower-cased texts; sorts folder listings repeatably.
bool AnsiLessIgnoringCase(std::string_view a, std::string_view b);
// True when text ends in suffix, letter case ignored.
bool AnsiEndsWithIgnoringCase(std::string_view text, std::string_view suffix);
