// Small helpers shared by every layer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class IClock;

// Digits of |value| padded with "0" to at least width, "-" in front when negative.
std::string IntToStrZero(std::int32_t value, std::uint8_t width);
// A number written with a decimal point or one decimal comma; raises
// EConvertError "<text> ist kein gültiger Gleitkommastring" otherwise.
double ParseFloat(std::string_view text);
// A decimal integer as the settings use it; raises EConvertError when the text
// is not one.
std::int32_t StrToInt(std::string_view text);
// Lower case of the letters A to Z only; every other byte keeps its value and
// place, so an offset found in the result holds in the text too.
std::string AsciiLowerCase(std::string_view text);
// True when a and b differ at most in the letter case of A to Z.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);
// A control character: a byte below 32 (line breaks and tabs too) or DEL (127).
inline bool IsControlCharacter(char c) {
    return static_cast<unsigned char>(c) < 32 || c == 127;
}
// The text without the blanks (' ' only) at its start and end.
std::string_view TrimBlanks(std::string_view text);
// The value of a hexadecimal digit (either case); -1 for any other character.
int HexDigitValue(char c);
// Every byte for which stays is false written as "%" and two upper-case
// hexadecimal digits (the score records, the replays' names).
std::string PercentEscape(std::string_view bytes, bool (*stays)(unsigned char));
// The %XX escapes decoded; nothing for a malformed escape, or for a byte
// outside an escape for which stays (when given) is false.
std::optional<std::string> PercentDecode(std::string_view text, bool (*stays)(unsigned char) = nullptr);
// Waits until the clock's millisecond tick has passed its entry value plus
// ms, in naps of a millisecond on that clock.
void WaitMs(IClock& clock, std::uint32_t ms);
