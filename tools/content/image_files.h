// Encoders for the picture files the game reads: 24-bit sprite sheets with a
// black colour key, 8-bit alpha masks, and JPEG pictures.
#pragma once

#include <cstdint>
#include <string>

#include "canvas.h"

// Alpha below which a pixel of a sheet becomes the transparent key. Sheets with
// a mask keep faint pixels too, so the mask can blend their soft edges.
int KeyThreshold(bool masked);

// The colour a sheet pixel is stored with: 0 (the key) when transparent, else
// the unpremultiplied colour, lifted off black so that no drawn pixel becomes
// the key, not even when reduced to 16 bits (5-6-5).
std::uint32_t SheetColour(std::uint32_t premultipliedArgb, bool masked);

// A bottom-up 24-bit BMP file of the canvas with the key applied.
std::string EncodeSheetBmp(const Canvas& canvas, bool masked);
// A bottom-up 8-bit grey-palette BMP whose indices are the pixels' alpha.
std::string EncodeMaskBmp(const Canvas& canvas);
// An opaque JPEG (baseline, 4:2:0) of the canvas.
std::string EncodeJpeg(const Canvas& canvas, int quality);
