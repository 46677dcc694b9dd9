// Our reader of Windows bitmaps (BMP files and DIB resources): 8-bit
// palettised, 24 and 32 bits, bottom-up and top-down, with strict header checks.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A picture the reader or the JPEG decoder could not make sense of.
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A decoded picture, rows top-down.
struct TPicture {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::uint16_t BitsPerPixel = 0;     // of the source (8, 24, 32; JPEG: 24 or 8)
    std::vector<std::uint32_t> Pixels;  // 0x00RRGGBB, Width * Height
    std::vector<std::uint8_t> Indices;  // 8-bit bitmaps: the raw palette indices, Width * Height
    bool Empty() const { return Width == 0 || Height == 0; }
};

// The largest width or height a picture may declare.
constexpr std::int32_t MaxPictureDimension = 16384;

// Decodes a BMP file ("BM" header) or a bare DIB (info header first, as
// bitmap resources hold them). Raises EInvalidGraphic with a message for
// anything it cannot read safely; never reads outside the bytes.
TPicture ReadBitmap(std::span<const std::uint8_t> bytes);
