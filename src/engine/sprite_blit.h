// Drawing sprites of graphic objects: the scaled, blended sprite blit and the
// plain keyed copy.
#pragma once

#include <cstdint>

#include "engine/surface.h"

// Draws the sprite centred at (x, y), scaled to width x height, clipped to the
// inclusive limits. Logs "Error in Stretchblit: ..." and re-raises on failure.
void Stretchblit(TSurfaceRef& dest, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                 std::int32_t sprite, std::int32_t minX, std::int32_t minY, std::int32_t maxX,
                 std::int32_t maxY, bool useColourKey, std::uint8_t alpha);

// Copies the sprite unscaled with its top-left at (x, y), with the colour key;
// never below the status line.
void PaintSprite(TSurfaceRef& dest, std::int32_t x, std::int32_t y, std::int32_t sprite, std::int32_t minX,
                 std::int32_t minY, std::int32_t maxX, std::int32_t maxY);
