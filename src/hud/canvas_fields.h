// The painted fields of the displays: the sheets of the canvas graphic
// objects and the colours their texts are drawn with.
#pragma once

#include <cstdint>
#include <string>

#include "engine/dd_canvas.h"
#include "engine/surface.h"

// The background a row or the help line is printed on, made transparent
// afterwards: 13931465 as a text colour, red 201, green 147, blue 212.
constexpr std::uint32_t FieldFillRGB = 0xC993D4;
constexpr TColor HudTextWhite = 0xFFFFFF;
constexpr TColor HudTextYellow = 65535;

// The sheet behind picture 1 of the graphic object; raises when it has none.
TSurfaceRef FieldSurface(const std::string& goName);
// Fills the field's rectangle with the fill colour before printing.
void BeginField(const TSurfaceRef& surface, std::int32_t width, std::int32_t height);
// Makes the fill colour transparent (colour key 0) after printing.
void EndField(const TSurfaceRef& surface);
// Bold, size 24, outline 1, top-aligned, in the default font.
void PrintHudText(const TSurfaceRef& surface, std::int32_t x, std::int32_t horizontalAlign,
                  const std::string& text, TColor colour, std::int32_t widthReserve = 0);
