// The 44-byte header of a RIFF/WAVE file of PCM samples.
#pragma once

#include <cstdint>
#include <string>

std::string MakeWaveHeader(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                           std::uint32_t dataSize);
