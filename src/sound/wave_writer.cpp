// RIFF/WAVE header writing for decoded music.
#include "wave_writer.h"

namespace {

void PutLE(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string MakeWaveHeader(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                           std::uint32_t dataSize) {
    const std::uint32_t blockAlign = channels * bits / 8u;
    std::string h = "RIFF";
    PutLE(h, 36 + dataSize, 4);
    h += "WAVEfmt ";
    PutLE(h, 16, 4);
    PutLE(h, 1, 2);  // PCM
    PutLE(h, channels, 2);
    PutLE(h, rate, 4);
    PutLE(h, rate * blockAlign, 4);
    PutLE(h, blockAlign, 2);
    PutLE(h, bits, 2);
    h += "data";
    PutLE(h, dataSize, 4);
    return h;
}
