// Fuzz entry for the wave reader: any bytes as a wave file, then the
// conversion of what it accepts into the mix format.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "sound/pcm_convert.h"
#include "sound/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::uint32_t dataSize = 0;
    std::uint64_t dataOffset = 0;
    TWaveFormatEx format{};
    try {
        ReadWaveFormat(in, dataSize, dataOffset, format);
    } catch (const EWaveError&) {
        return 0;
    }
    // The reader promised that the data lies inside the input.
    if (dataOffset + dataSize > size) __builtin_trap();
    if (!IsMixableFormat(format) || format.nSamplesPerSec < 8000) return 0;
    const std::size_t srcFrames = dataSize / format.nBlockAlign;
    std::vector<std::int16_t> out(MixFramesFor(srcFrames, format.nSamplesPerSec) * 2);
    ConvertToMix(data + dataOffset, srcFrames, format, out.data(), out.size() / 2);
    return 0;
}
