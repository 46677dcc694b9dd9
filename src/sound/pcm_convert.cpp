// PCM conversion to the mix format: 8-bit samples are unsigned, 16-bit signed
// little-endian; mono is copied to both channels; other rates are resampled
// when the samples are read (at load, or piece by piece for a sound that plays
// from its file), so mixing costs no more for them.
#include "pcm_convert.h"

#include <algorithm>
#include <vector>

#include "audio_output.h"

bool IsMixableFormat(const TWaveFormatEx& f) {
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) &&
           f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8 && f.nSamplesPerSec >= 100 &&
           f.nSamplesPerSec <= 200000;
}

std::size_t MixFramesFor(std::size_t srcFrames, std::uint32_t rate) {
    if (srcFrames == 0 || rate == 0) return 0;
    if (rate == MixRate) return srcFrames;
    const std::size_t frames =
        static_cast<std::size_t>(static_cast<std::uint64_t>(srcFrames) * MixRate / rate);
    return std::max<std::size_t>(frames, 1);
}

namespace {

std::int16_t Sample(const std::uint8_t* p, bool eightBit) {
    if (eightBit) return static_cast<std::int16_t>((p[0] - 128) * 256);
    return static_cast<std::int16_t>(p[0] | (p[1] << 8));
}

// Source frames as stereo frames at their own rate.
void Decode(const std::uint8_t* src, std::size_t frames, const TWaveFormatEx& f, std::int16_t* out) {
    const bool eightBit = f.wBitsPerSample == 8;
    const std::size_t bytesPerSample = eightBit ? 1 : 2;
    for (std::size_t i = 0; i < frames; ++i) {
        const std::uint8_t* p = src + i * f.nBlockAlign;
        const std::int16_t left = Sample(p, eightBit);
        out[2 * i] = left;
        out[2 * i + 1] = f.nChannels == 2 ? Sample(p + bytesPerSample, eightBit) : left;
    }
}

// 32.32 fixed-point source frames per mix frame, rounded down, so that the
// position never passes the last source frame.
std::uint64_t StepOf(std::uint32_t rate) {
    return (static_cast<std::uint64_t>(rate) << 32) / MixRate;
}

// At the mix rate every source frame is one mix frame, while there are any.
bool OneToOne(std::uint32_t rate, std::size_t firstMix, std::size_t count, std::size_t srcFrames) {
    return rate == MixRate && firstMix + count <= srcFrames;
}

}  // namespace

void ConvertToMix(const std::uint8_t* src, std::size_t srcFrames, const TWaveFormatEx& format,
                  std::int16_t* out, std::size_t outFrames) {
    ConvertRangeToMix(src, srcFrames, format, out, 0, outFrames);
}

TSourceFrames SourceFramesFor(std::size_t firstMix, std::size_t count, std::uint32_t rate,
                              std::size_t srcFrames) {
    if (count == 0 || srcFrames == 0) return {};
    if (OneToOne(rate, firstMix, count, srcFrames)) return {firstMix, count};
    const std::uint64_t step = StepOf(rate);
    const std::size_t first = std::min<std::size_t>((firstMix * step) >> 32, srcFrames - 1);
    const std::size_t last =
        std::min<std::size_t>((((firstMix + count - 1) * step) >> 32) + 1, srcFrames - 1);
    return {first, last - first + 1};
}

void ConvertRangeToMix(const std::uint8_t* src, std::size_t srcFrames, const TWaveFormatEx& format,
                       std::int16_t* out, std::size_t firstMix, std::size_t count) {
    const TSourceFrames span = SourceFramesFor(firstMix, count, format.nSamplesPerSec, srcFrames);
    if (span.count == 0) return;
    if (OneToOne(format.nSamplesPerSec, firstMix, count, srcFrames)) {
        Decode(src, count, format, out);
        return;
    }
    std::vector<std::int16_t> decoded(span.count * 2);
    Decode(src, span.count, format, decoded.data());
    // Each mix frame lies between two source frames: the one its position
    // falls on and the next.
    const std::uint64_t step = StepOf(format.nSamplesPerSec);
    std::uint64_t pos = firstMix * step;
    for (std::size_t i = 0; i < count; ++i, pos += step) {
        const std::size_t idx = std::min<std::size_t>(pos >> 32, srcFrames - 1) - span.first;
        const std::size_t next = std::min(idx + span.first + 1, srcFrames - 1) - span.first;
        const std::int32_t frac = static_cast<std::int32_t>((pos >> 16) & 0xFFFF);
        for (int c = 0; c < 2; ++c) {
            const std::int32_t s0 = decoded[2 * idx + c];
            const std::int32_t s1 = decoded[2 * next + c];
            out[2 * i + c] =
                static_cast<std::int16_t>(s0 + ((static_cast<std::int64_t>(s1 - s0) * frac) >> 16));
        }
    }
}
