// Pan and volume values for the game: pan from a world position, decibels
// from a volume setting.
#pragma once

#include <cstdint>

// Pan in hundredths of a decibel for a world position: 5 * x on the plane
// z = -800, clamped to -10000..10000.
std::int32_t ScreenPan(double x, double z);
// A volume setting 0..127 as an attenuation in hundredths of a decibel:
// 0 -> -10000, 127 -> 0.
std::int32_t VolumeToDB(std::uint8_t v);
