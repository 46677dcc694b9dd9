// The drawing operations on surfaces: colour conversion, fill, colour
// replacement, clipped blits with and without stretching and blending.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/surface.h"

// One byte per sheet pixel (0 = background, 255 = sprite), rows top-down,
// row stride = sheet width rounded up to a multiple of 4.
using TAlphaMask = std::vector<std::uint8_t>;

// The surface's pixel value for a colour 0x00RRGGBB.
std::uint32_t RGBToPixel(const TSurface& surface, std::uint32_t colour);
// The same conversion for a known RGB format (no checks).
std::uint32_t RGBToPixelFormat(const TPixelFormat& format, std::uint32_t colour);

// Fills the rectangle with the colour 0x00RRGGBB; logs "Error in Colorfill: ..." and re-raises.
void Colorfill(const TSurfaceRef& surface, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, std::uint32_t colour);
// Every pixel of fromColour becomes toColour (both 0x00RRGGBB); bits outside the masks stay.
void ReplaceColor(const TSurfaceRef& surface, std::uint32_t fromColour, std::uint32_t toColour);

// Unstretched copy of width x height clipped to the inclusive limits.
void BlitClipped(const TSurfaceRef& source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t width,
                 std::int32_t height, const TSurfaceRef& dest, std::int32_t destX, std::int32_t destY,
                 bool useColourKey, std::int32_t minX, std::int32_t minY, std::int32_t maxX,
                 std::int32_t maxY);

// The sprite blit: stretched, clipped, blended with constant alpha (0..255,
// 255 = opaque) or the alpha mask (nullptr for none) when the flags say so.
void StretchBlitClipped(const TSurfaceRef& source, const TAlphaMask* alphaMask, std::int32_t sourceX,
                        std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                        const TSurfaceRef& dest, std::int32_t destX, std::int32_t destY,
                        std::int32_t destWidth, std::int32_t destHeight, bool useColourKey,
                        std::uint8_t alpha, std::int32_t minX, std::int32_t minY, std::int32_t maxX,
                        std::int32_t maxY);

// Blt on dest with the centring offset added when dest is in the secondary
// chain; a nullptr rect then means the game area. Checked with DDCheckSurface.
void BltOffset(const TSurfaceRef& dest, const TRect* rect, const TSurfaceRef& source, const TRect* sourceRect,
               std::uint32_t flags, const TDDBltFx* blitEffects);
