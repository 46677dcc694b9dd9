// Builds wave files byte by byte for the tests, well-formed or not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wave {

inline std::string LE(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// A chunk with its header; odd bodies get their pad byte.
inline std::string Chunk(const std::string& id, const std::string& body) {
    std::string c = id + LE(static_cast<std::uint32_t>(body.size()), 4) + body;
    if (body.size() % 2) c += '\0';
    return c;
}

inline std::string Riff(const std::string& form, const std::string& chunks) {
    return "RIFF" + LE(static_cast<std::uint32_t>(4 + chunks.size()), 4) + form + chunks;
}

// The 16-byte format block.
inline std::string Fmt(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                       std::uint16_t tag = 1) {
    const std::uint32_t align = channels * bits / 8u;
    return LE(tag, 2) + LE(channels, 2) + LE(rate, 4) + LE(rate * align, 4) + LE(align, 2) + LE(bits, 2);
}

inline std::string Pcm16(const std::vector<std::int16_t>& samples) {
    std::string out;
    for (auto s : samples) out += LE(static_cast<std::uint16_t>(s), 2);
    return out;
}

// A complete PCM wave file.
inline std::string File(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                        const std::string& data) {
    return Riff("WAVE", Chunk("fmt ", Fmt(channels, rate, bits)) + Chunk("data", data));
}

// n frames of one 16-bit value on every channel.
inline std::string Constant16(std::uint16_t channels, std::size_t frames, std::int16_t value) {
    return Pcm16(std::vector<std::int16_t>(frames * channels, value));
}

}  // namespace wave
