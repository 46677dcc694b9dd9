// Windows-1252 case folding for sound names and folder listings.
#include "ansi_case.h"

namespace {

char LowerOf(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
    // Windows-1252 capitals: S, OE, Z with caron, Y with diaeresis, and the
    // Latin-1 block except the multiplication sign.
    if (b == 0x8A || b == 0x8C || b == 0x8E) return static_cast<char>(b + 0x10);
    if (b == 0x9F) return static_cast<char>(0xFF);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
    return c;
}

}  // namespace

std::string AnsiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerOf(c);
    return out;
}

bool AnsiLessIgnoringCase(std::string_view a, std::string_view b) {
    return AnsiLowerCase(a) < AnsiLowerCase(b);
}

bool AnsiEndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           AnsiLowerCase(text.substr(text.size() - suffix.size())) == AnsiLowerCase(suffix);
}
