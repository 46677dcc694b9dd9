// The projection of world positions onto the game area.
#include "engine/projection.h"

#include <cmath>
#include <cstdlib>

#include "engine/screen.h"

namespace {
// Far outside any surface, yet small enough that sums of a few such values
// stay inside 32 bits.
constexpr double Saturation = 16777216.0;
}  // namespace

std::int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value > Saturation) return static_cast<std::int32_t>(Saturation);
    if (value < -Saturation) return -static_cast<std::int32_t>(Saturation);
    const double floor = std::floor(value);
    const double diff = value - floor;
    double r = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0)) r = floor + 1.0;
    return static_cast<std::int32_t>(r);
}

std::int32_t ProjectX(double x, double z) {
    return ScreenCenterX - RoundHalfEven(x * ProjectionScale / z);
}

std::int32_t ProjectY(double y, double z) {
    return ScreenCenterY - RoundHalfEven(y * ProjectionScale / z);
}

std::int32_t ProjectSize(double size, double z) {
    return std::abs(RoundHalfEven(ProjectionScale * size / z));
}
