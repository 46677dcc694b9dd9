// The projection of world positions onto the game area.
#pragma once

#include <cstdint>

// Nearest integer, halves to even, saturated far beyond any screen so that a
// position next to the camera plane cannot overflow the pixel arithmetic.
std::int32_t RoundHalfEven(double value);

// Screen coordinate of a world coordinate at depth z (z < 0):
// centre - round(v * ProjectionScale / z).
std::int32_t ProjectX(double x, double z);
std::int32_t ProjectY(double y, double z);
// Drawn size of a world size at depth z: |round(ProjectionScale * s / z)|.
std::int32_t ProjectSize(double size, double z);
