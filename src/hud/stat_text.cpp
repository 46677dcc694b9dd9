// The statistics text: its letter sets, its permutation, the encoder and the
// decoder. The tables are shared with the score server and must not change.
#include "hud/stat_text.h"

#include <array>
#include <cstdlib>
#include <stdexcept>

#include "infra/random.h"

namespace {

// The set of digit d; the sets are disjoint and use every letter once.
constexpr std::array<std::string_view, 10> LetterSets = {
    "CnDahZL", "wogRd", "KQjSc", "YIWPX", "kqeHb", "xENfM", "AOiuU", "lmtBF", "rTVpv", "zsGyJ",
};

// Character j (1-based) of the text is character Permutation[j - 1] of the
// letters before shuffling.
constexpr std::array<int, StatTextLength> Permutation = {
    39, 22, 36, 27, 15, 4,  38, 24, 29, 7,  34, 14, 17, 16, 23, 13, 20, 47, 50,
    3,  45, 35, 52, 55, 18, 31, 9,  19, 2,  28, 30, 42, 10, 49, 37, 40, 21, 51,
    12, 32, 53, 6,  11, 5,  54, 26, 41, 44, 25, 48, 1,  46, 33, 43, 8,
};

void AppendDigits(std::string& out, std::int32_t n, int width) {
    // The magnitude in 64 bits: the lowest int32 has no positive counterpart.
    std::int64_t v = std::llabs(static_cast<std::int64_t>(n));
    std::string d(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i, v /= 10)
        d[static_cast<std::size_t>(i)] = static_cast<char>('0' + v % 10);
    out += d;
}

int DigitOfLetter(char c) {
    for (int d = 0; d < 10; ++d)
        if (LetterSets[static_cast<std::size_t>(d)].find(c) != std::string_view::npos) return d;
    return -1;
}

}  // namespace

std::string StatDigits(TStatsView stats) {
    std::string out;
    AppendDigits(out, stats[StatSecondsPlayed], 2);
    AppendDigits(out, stats[StatCondomsFired], 3);
    AppendDigits(out, stats[StatTorpedoesFired], 2);
    constexpr TKindStat groups[] = {TKindStat::Launched, TKindStat::FarHits, TKindStat::NearHits,
                                    TKindStat::Passed};
    for (std::int32_t kind = 1; kind <= 6; ++kind)
        for (const TKindStat group : groups) AppendDigits(out, stats[KindStat(group, kind)], 2);
    return out;
}

std::string EncodeStatDigits(std::string_view digits) {
    if (digits.size() != StatTextLength || digits.find_first_not_of("0123456789") != std::string_view::npos)
        throw std::invalid_argument("Statistiktext: 55 Ziffern erwartet");
    std::string letters(digits.size(), ' ');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::string_view set = LetterSets[static_cast<std::size_t>(digits[i] - '0')];
        letters[i] = set[RandInt(static_cast<std::uint32_t>(set.size()))];
    }
    std::string out(letters.size(), ' ');
    for (std::size_t j = 0; j < out.size(); ++j)
        out[j] = letters[static_cast<std::size_t>(Permutation[j] - 1)];
    return out;
}

std::string EncodeStatText(TStatsView stats) {
    return EncodeStatDigits(StatDigits(stats));
}

std::optional<std::string> DecodeStatText(std::string_view text) {
    if (text.size() != StatTextLength) return std::nullopt;
    std::string digits(StatTextLength, '0');
    for (std::size_t j = 0; j < text.size(); ++j) {
        const int d = DigitOfLetter(text[j]);
        if (d < 0) return std::nullopt;
        digits[static_cast<std::size_t>(Permutation[j] - 1)] = static_cast<char>('0' + d);
    }
    return digits;
}
