// Pan and volume formulas. Rounding is to nearest with halves to even, as the
// game has always rounded.
#include "sound_levels.h"

#include <algorithm>
#include <cmath>

namespace {
// The projection of world positions on the 800-pixel wide game screen.
constexpr double PanProjectionScale = 800.0;
constexpr double PanScreenWidth = 800.0;
constexpr double PanLimit = 10000.0;
}  // namespace

std::int32_t ScreenPan(double x, double z) {
    if (x == 0.0 || std::isnan(x) || std::isnan(z)) return 0;
    // On the eye plane the projection is unbounded: the sound is fully on
    // the side it comes from, instead of a division by zero.
    if (z == 0.0) return x > 0 ? static_cast<std::int32_t>(PanLimit) : -static_cast<std::int32_t>(PanLimit);
    const double pan = -0.2 * x * (PanProjectionScale / z) * 20000.0 / PanScreenWidth;
    return static_cast<std::int32_t>(std::nearbyint(std::clamp(pan, -PanLimit, PanLimit)));
}

std::int32_t VolumeToDB(std::uint8_t v) {
    if (v == 0) return -10000;
    const double x = 100000.0 / 127.0 - 100000.0 / v;
    if (x < -10000.0) return -10000;
    // Settings above 127 (a damaged settings file) would ask for gain, which
    // the device refuses; they play at full volume instead.
    return std::min(static_cast<std::int32_t>(std::nearbyint(x)), 0);
}
