// The software present's own scaling into a 32-bit XRGB output: at a
// whole-number scale in one pass, at any other size filtered (SDL's general
// stretchers cost several times more for the same pixels).
#pragma once

#include <cstdint>
#include <vector>

#include "engine/surface.h"

// True for the frame formats ScaleWholeToXrgb reads: RGB565 and XRGB8888.
bool CanScaleToXrgb(const TPixelFormat& format);

// Writes the frame with each pixel as a factor x factor block of XRGB8888,
// RGB565 widened on the way; dst is the block area's top-left pixel.
void ScaleWholeToXrgb(const TSurface& frame, std::int32_t factor, std::uint8_t* dst, std::int32_t dstPitch);

// Filtered scaling to any size: each output pixel mixes the four frame pixels
// around its centre by its distance from them, in 256ths. Each frame row is
// filtered across once, then two such rows are mixed per output row. The
// tables and rows are kept for the next frame.
class TLinearScaler {
public:
    // Writes the frame (RGB565 or XRGB8888) scaled to outW x outH; dst is the
    // output's top-left pixel.
    void Scale(const TSurface& frame, std::int32_t outW, std::int32_t outH, std::uint8_t* dst,
               std::int32_t dstPitch);

private:
    // For each output position along one side: the frame pixel before its
    // centre, the one after, and the weight of the latter.
    struct TAxis {
        std::int32_t in = 0, out = 0;
        std::vector<std::uint32_t> first, second;
        std::vector<std::uint8_t> weight;
        void Fit(std::int32_t inCount, std::int32_t outCount);
    };
    const std::uint8_t* FilteredRow(const TSurface& frame, std::uint32_t y);

    TAxis columns_, rows_;
    std::vector<std::uint32_t> widened_;
    std::vector<std::uint32_t> filtered_[2];
    std::int64_t filteredRow_[2] = {-1, -1};
};
