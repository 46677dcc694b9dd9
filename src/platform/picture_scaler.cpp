// Whole-number and filtered scaling into XRGB8888.
#include "picture_scaler.h"

#include <cstring>

#include "engine/pixel_rows.h"
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

void TLinearScaler::TAxis::Fit(std::int32_t inCount, std::int32_t outCount) {
    if (inCount == in && outCount == out) return;
    in = inCount;
    out = outCount;
    first.resize(static_cast<std::size_t>(out));
    second.resize(first.size());
    weight.resize(first.size());
    for (std::int32_t o = 0; o < out; ++o) {
        // The output pixel's centre in frame pixels, less half a pixel: the
        // frame pixel before it and the fraction of the way to the next.
        std::int64_t at = (std::int64_t{2} * o + 1) * in * 256 / (std::int64_t{2} * out) - 128;
        if (at < 0) at = 0;
        std::int64_t i = at >> 8, w = at & 255;
        if (i >= in - 1) i = in - 1, w = 0;
        first[static_cast<std::size_t>(o)] = static_cast<std::uint32_t>(i);
        second[static_cast<std::size_t>(o)] = static_cast<std::uint32_t>(i + 1 < in ? i + 1 : i);
        weight[static_cast<std::size_t>(o)] = static_cast<std::uint8_t>(w);
    }
}

const std::uint8_t* TLinearScaler::FilteredRow(const TSurface& frame, std::uint32_t y) {
    // Two neighbouring rows are in use at a time: they take turns by parity.
    const std::uint32_t slot = y & 1;
    std::vector<std::uint32_t>& row = filtered_[slot];
    if (filteredRow_[slot] != y) {
        const std::int32_t w = columns_.in, n = columns_.out;
        const std::uint8_t* in = frame.Pixels() + static_cast<std::ptrdiff_t>(y) * frame.Pitch();
        if (frame.PixelFormat().dwRGBBitCount == 16) {
            widened_.resize(static_cast<std::size_t>(w));
            ExpandRgb565Row(reinterpret_cast<const std::uint16_t*>(in), widened_.data(), widened_.size());
            in = reinterpret_cast<const std::uint8_t*>(widened_.data());
        }
        row.resize(static_cast<std::size_t>(n));
        FilterRow8888(reinterpret_cast<std::uint8_t*>(row.data()), in, columns_.first.data(),
                      columns_.second.data(), columns_.weight.data(), n, w);
        filteredRow_[slot] = y;
    }
    return reinterpret_cast<const std::uint8_t*>(row.data());
}

void TLinearScaler::Scale(const TSurface& frame, std::int32_t outW, std::int32_t outH, std::uint8_t* dst,
                          std::int32_t dstPitch) {
    if (outW <= 0 || outH <= 0 || frame.Width() == 0 || frame.Height() == 0) return;
    columns_.Fit(static_cast<std::int32_t>(frame.Width()), outW);
    rows_.Fit(static_cast<std::int32_t>(frame.Height()), outH);
    filteredRow_[0] = filteredRow_[1] = -1;  // a new frame
    for (std::int32_t y = 0; y < outH; ++y) {
        const std::size_t r = static_cast<std::size_t>(y);
        const std::uint8_t* a = FilteredRow(frame, rows_.first[r]);
        const std::uint8_t* b = FilteredRow(frame, rows_.second[r]);
        // The constant-alpha blend is the mix of two rows by one weight.
        AlphaRow8888(dst + static_cast<std::ptrdiff_t>(y) * dstPitch, a, b, outW, rows_.weight[r], false, 0);
    }
}
