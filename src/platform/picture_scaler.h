// The software present's own scaling: the frame into a 32-bit XRGB output at
// a whole-number scale, in one pass (SDL's general stretcher costs several
// times more for the same pixels).
#pragma once

#include <cstdint>

#include "engine/surface.h"

// True for the frame formats ScaleWholeToXrgb reads: RGB565 and XRGB8888.
bool CanScaleToXrgb(const TPixelFormat& format);

// Writes the frame with each pixel as a factor x factor block of XRGB8888,
// RGB565 widened on the way; dst is the block area's top-left pixel.
void ScaleWholeToXrgb(const TSurface& frame, std::int32_t factor, std::uint8_t* dst, std::int32_t dstPitch);
