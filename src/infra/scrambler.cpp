// The text scrambler. The permutations are part of the file format: files
// written with other tables cannot be read, so they never change.
#include "scrambler.h"

#include "random.h"

namespace {

// Image of 'a'+i (or 'A'+i) and of '0'+i.
constexpr char LetterImage[27] = "qjxmtavlhzcesrkwbgpodnuyfi";
constexpr char DigitImage[11] = "7319052864";

constexpr bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
constexpr bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Inverse {
    char letters[26]{};
    char digits[10]{};
    constexpr Inverse() {
        for (int i = 0; i < 26; ++i) letters[LetterImage[i] - 'a'] = static_cast<char>('a' + i);
        for (int i = 0; i < 10; ++i) digits[DigitImage[i] - '0'] = static_cast<char>('0' + i);
    }
};
constexpr Inverse Inv;

}  // namespace

std::uint32_t FillerSeed = 0;

char ScrambleChar(char c) {
    if (IsLower(c)) return LetterImage[c - 'a'];
    if (IsUpper(c)) return static_cast<char>(LetterImage[c - 'A'] - 'a' + 'A');
    if (IsDigit(c)) return DigitImage[c - '0'];
    return c;
}

char UnscrambleChar(char c) {
    if (IsLower(c)) return Inv.letters[c - 'a'];
    if (IsUpper(c)) return static_cast<char>(Inv.letters[c - 'A'] - 'a' + 'A');
    if (IsDigit(c)) return Inv.digits[c - '0'];
    return c;
}

char RandomFillChar() {
    switch (RandIntFrom(FillerSeed, 3)) {
        case 0:
            return static_cast<char>('A' + RandIntFrom(FillerSeed, 25));
        case 1:
            return static_cast<char>('a' + RandIntFrom(FillerSeed, 25));
        default:
            return static_cast<char>('0' + RandIntFrom(FillerSeed, 9));
    }
}

std::string ScrambleText(std::string_view plain) {
    std::string out;
    out.reserve(plain.size() * 6);
    for (char c : plain) {
        for (int i = 0; i < 5; ++i) out += RandomFillChar();
        out += ScrambleChar(c);
    }
    return out;
}

std::string UnscrambleText(std::string_view scrambled) {
    std::string out;
    out.reserve(scrambled.size() / 6);
    for (std::size_t i = 5; i < scrambled.size(); i += 6) out += UnscrambleChar(scrambled[i]);
    return out;
}
