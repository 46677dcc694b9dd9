// Whole-number scaling into XRGB8888.
#include "picture_scaler.h"

#include <cstring>
#include <vector>

#include "rgb565_expand.h"

namespace {

void RepeatPixels(const std::uint32_t* source, std::uint32_t count, std::int32_t factor,
                  std::uint32_t* dest) {
    for (std::uint32_t x = 0; x < count; ++x) {
        const std::uint32_t v = source[x];
        for (std::int32_t k = 0; k < factor; ++k) *dest++ = v;
    }
}

}  // namespace

bool CanScaleToXrgb(const TPixelFormat& format) {
    return (format.dwRGBBitCount == 16 && format.dwRBitMask == 0xF800) ||
           (format.dwRGBBitCount == 32 && format.dwRBitMask == 0xFF0000);
}

void ScaleWholeToXrgb(const TSurface& frame, std::int32_t factor, std::uint8_t* dst, std::int32_t dstPitch) {
    const std::uint32_t w = frame.Width();
    const bool wide = frame.PixelFormat().dwRGBBitCount == 16;
    std::vector<std::uint32_t> widened(wide && factor > 1 ? w : 0);
    const std::size_t rowBytes = static_cast<std::size_t>(w) * static_cast<std::size_t>(factor) * 4;
    for (std::uint32_t y = 0; y < frame.Height(); ++y) {
        const std::uint8_t* in = frame.Pixels() + static_cast<std::ptrdiff_t>(y) * frame.Pitch();
        std::uint8_t* first = dst + static_cast<std::ptrdiff_t>(y) * factor * dstPitch;
        auto* out = reinterpret_cast<std::uint32_t*>(first);
        const auto* in16 = reinterpret_cast<const std::uint16_t*>(in);
        const auto* in32 = reinterpret_cast<const std::uint32_t*>(in);
        if (factor == 1) {
            if (wide)
                ExpandRgb565Row(in16, out, w);
            else
                std::memcpy(out, in32, rowBytes);
        } else if (wide) {
            ExpandRgb565Row(in16, widened.data(), w);
            RepeatPixels(widened.data(), w, factor, out);
        } else {
            RepeatPixels(in32, w, factor, out);
        }
        for (std::int32_t k = 1; k < factor; ++k) std::memcpy(first + k * dstPitch, first, rowBytes);
    }
}
