// Encoding and decoding of score records.
#include "online/score_encoding.h"

#include <array>
#include <utility>

#include "infra/helpers.h"

namespace {

bool StandsAsItIs(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Each escape is decoded once: the byte it gives is never read as the start
// of another escape, so "%2541" stays "%41".
std::string PercentUnescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = HexDigitValue(text[i + 1]);
            const int lo = HexDigitValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::array<std::uint8_t, ScoreBlockSize> RandomPermutation(IRandomSource& random) {
    std::array<std::uint8_t, ScoreBlockSize> p{};
    for (std::size_t i = 0; i < ScoreBlockSize; ++i) p[i] = static_cast<std::uint8_t>(i);
    for (int n = 0; n < ScoreShuffleSwaps; ++n) {
        const std::uint32_t a = random.Below(ScoreBlockSize);
        const std::uint32_t b = random.Below(ScoreBlockSize);
        std::swap(p[a], p[b]);
    }
    return p;
}

}  // namespace

std::string EncodeScoreRecord(std::string_view record, IRandomSource& random) {
    std::string buffer(record);
    buffer.append((ScoreBlockSize - buffer.size() % ScoreBlockSize) % ScoreBlockSize, ' ');
    std::string out;
    out.reserve(buffer.size() * 2);
    for (std::size_t start = 0; start < buffer.size(); start += ScoreBlockSize) {
        const auto p = RandomPermutation(random);
        std::string shuffled(ScoreBlockSize, ' ');
        for (std::size_t j = 0; j < ScoreBlockSize; ++j) shuffled[p[j]] = buffer[start + j];
        for (const std::uint8_t position : p) out += ScoreAlphabet[position];
        out += shuffled;
    }
    return PercentEscape(out, StandsAsItIs);
}

std::string DecodeScoreRecord(std::string_view encoded) {
    const std::string bytes = PercentUnescape(encoded);
    constexpr std::size_t EncodedBlock = 2 * ScoreBlockSize;
    if (bytes.empty() || bytes.size() % EncodedBlock != 0)
        throw EScoreRecordError("String hat die L\xE4nge " + std::to_string(bytes.size()) +
                                "<>n*128 and <>0");
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t start = 0; start < bytes.size(); start += EncodedBlock) {
        for (std::size_t k = 0; k < ScoreBlockSize; ++k) {
            const char c = bytes[start + k];
            const std::size_t v = ScoreAlphabet.find(c);
            if (v == std::string_view::npos)
                throw EScoreRecordError(std::string("Decodierung von ") + c + " nicht m\xF6glich");
            out += bytes[start + ScoreBlockSize + v];
        }
    }
    return out;
}
