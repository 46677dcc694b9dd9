// Widening of RGB565 pixels to 32-bit XRGB8888 for a software present, where
// SDL's own conversion costs several milliseconds a frame.
#pragma once

#include <cstddef>
#include <cstdint>

// Each channel's top bits repeat into its low bits, so white stays white.
void ExpandRgb565Row(const std::uint16_t* source, std::uint32_t* dest, std::size_t count);
