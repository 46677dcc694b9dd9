// Conversion between the program's Windows-1252 texts and UTF-8 (the
// encoding of the desktop, SDL's text input and Qt's strings).
#pragma once

#include <string>
#include <string_view>

// Characters without a Windows-1252 byte are dropped; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view utf8);
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D (unassigned) become U+FFFD.
std::string Cp1252ToUtf8(std::string_view cp1252);
