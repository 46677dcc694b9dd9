// Number formatting, lenient number parsing, ASCII text helpers and the busy wait.
#include "helpers.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>

#include "clock.h"
#include "errors.h"

std::string IntToStrZero(std::int32_t value, std::uint8_t width) {
    const std::int64_t v = value;
    std::string digits = std::to_string(v < 0 ? -v : v);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return v < 0 ? "-" + digits : digits;
}

namespace {

// The standard conversion: blanks around, optional sign, digits with an
// optional "." fraction, optional exponent. Nothing else.
bool ConvertDecimal(std::string_view text, double& out) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    const std::string_view s = text.substr(b, e - b);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != s.size()) return false;
    const std::string copy(s);
    char* end = nullptr;
    errno = 0;
    out = std::strtod(copy.c_str(), &end);
    return end == copy.c_str() + copy.size() && errno != ERANGE;
}

}  // namespace

double ParseFloat(std::string_view text) {
    double value = 0;
    if (ConvertDecimal(text, value)) return value;
    std::string changed(text);
    if (const auto comma = changed.find(','); comma != std::string::npos)
        changed[comma] = '.';
    else if (const auto dot = changed.find('.'); dot != std::string::npos)
        changed[dot] = ',';
    if (ConvertDecimal(changed, value)) return value;
    throw EConvertError(std::string(text) + " ist kein g\xFCltiger Gleitkommastring");
}

std::int32_t StrToInt(std::string_view text) {
    std::size_t b = 0;
    while (b < text.size() && text[b] == ' ') ++b;
    std::string_view s = text.substr(b);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    std::int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || ptr != s.data() + s.size())
        throw EConvertError("'" + std::string(text) + "' ist kein g\xFCltiger Integerwert");
    return value;
}

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string AsciiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string PercentEscape(std::string_view bytes, bool (*stays)(unsigned char)) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (stays(u)) {
            out += c;
        } else {
            out += '%';
            out += Hex[u >> 4];
            out += Hex[u & 15];
        }
    }
    return out;
}

std::optional<std::string> PercentDecode(std::string_view text, bool (*stays)(unsigned char)) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            if (stays && !stays(static_cast<unsigned char>(text[i]))) return std::nullopt;
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int hi = HexDigitValue(text[i + 1]), lo = HexDigitValue(text[i + 2]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

void WaitMs(IClock& clock, std::uint32_t ms) {
    const std::uint32_t start = clock.TickCount();
    // Wrapping arithmetic: the elapsed time is right across the 2^32 wrap.
    // Naps of a millisecond instead of spinning keep a core free, and let a
    // manual clock (tests, the headless runner) move on.
    while (static_cast<std::uint32_t>(clock.TickCount() - start) <= ms) clock.Sleep(1);
}
