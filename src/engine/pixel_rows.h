// Row kernels of the blits, the blends and the present: stretched-row
// gathering, keyed copies, the two blends for RGB565 and XRGB8888, and the
// present's widening and filtering, in the instruction-set level chosen at
// start (pixel_rows_simd.h). Each gives exactly the result of the per-pixel
// rules, bit for bit, at every level.
#pragma once

#include <cstdint>
#include <cstring>

// Source column of each destination column for 16.16 stepping from column 0.
void StretchColumns(std::uint32_t* xs, std::int32_t n, std::uint32_t stepX);

// out[i] = src[xs[i]] for pixels of Bytes bytes.
template <std::uint32_t Bytes>
void GatherRow(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n) {
    for (std::int32_t i = 0; i < n; ++i)
        std::memcpy(out + i * Bytes, src + std::size_t(xs[i]) * Bytes, Bytes);
}

// GatherRow for pixels of bpp bytes, where src holds srcCount pixels.
void GatherStretchedRow(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
                        std::uint32_t bpp, std::int32_t srcCount);

// Copies n pixels except those equal to key.
void CopyKeyed16(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint16_t key);
void CopyKeyed32(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint32_t key);

// Constant-alpha blend of a front row over a back row into out; with keyed,
// front pixels equal to key (within the colour mask) leave the back.
void AlphaRow565(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front, std::int32_t n,
                 std::uint32_t alpha, bool keyed, std::uint16_t key);
void AlphaRow8888(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front, std::int32_t n,
                  std::uint32_t alpha, bool keyed, std::uint32_t key);
// Mask blend with one mask byte per pixel.
void MaskRow565(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint16_t key);
void MaskRow8888(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                 const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint32_t key);

// A row of XRGB8888 pixels filtered across: out[k] mixes src[firsts[k]] and
// src[seconds[k]] (src holds srcCount pixels, the columns grow from left to
// right) as (a * (256 - w) + b * w) >> 8 per channel with w = weights[k]; the
// unused byte comes out zero.
void FilterRow8888(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* firsts,
                   const std::uint32_t* seconds, const std::uint8_t* weights, std::int32_t n,
                   std::int32_t srcCount);
// RGB565 to XRGB8888, each channel's top bits repeated into its low bits.
void ExpandRgb565(std::uint32_t* out, const std::uint16_t* in, std::int32_t n);
