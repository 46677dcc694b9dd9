// Turns the PCM data of a wave file into the mixer's 44100 Hz 16-bit stereo.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wave_format.h"

// True for the formats the mixer takes: PCM, 1 or 2 channels, 8 or 16 bits,
// a block alignment that matches, and 100 to 200000 samples per second.
bool IsMixableFormat(const TWaveFormatEx& format);
// Mix frames for srcFrames frames of the given rate (at least 1 when any).
std::size_t MixFramesFor(std::size_t srcFrames, std::uint32_t rate);
// Converts srcFrames frames of src (in format) into exactly outFrames stereo
// frames at MixRate, resampling linearly.
void ConvertToMix(const std::uint8_t* src, std::size_t srcFrames, const TWaveFormatEx& format,
                  std::int16_t* out, std::size_t outFrames);

// The source frames that mix frames firstMix .. firstMix + count - 1 of a
// sound of srcFrames source frames are made from.
struct TSourceFrames {
    std::size_t first = 0;
    std::size_t count = 0;
};
TSourceFrames SourceFramesFor(std::size_t firstMix, std::size_t count, std::uint32_t rate,
                              std::size_t srcFrames);
// Converts those mix frames alone; src holds the source frames that
// SourceFramesFor names. The samples are those of ConvertToMix on the whole.
void ConvertRangeToMix(const std::uint8_t* src, std::size_t srcFrames, const TWaveFormatEx& format,
                       std::int16_t* out, std::size_t firstMix, std::size_t count);
