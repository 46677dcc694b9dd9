// The bitmap file builder of the surface tests.
#include "surface_test_util.h"

#include "infra/file_io.h"
#include "infra/paths.h"

namespace {
void Put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
}
void Put16(std::string& s, std::uint16_t v) {
    s.push_back(static_cast<char>(v));
    s.push_back(static_cast<char>(v >> 8));
}
}  // namespace

std::string BuildBmp(std::int32_t w, std::int32_t h, std::uint16_t bpp,
                     const std::vector<std::uint32_t>& pixels, bool topDown, std::uint32_t paletteColours) {
    const std::uint32_t stride = (std::uint32_t(w) * bpp + 31) / 32 * 4;
    const std::uint32_t palette = bpp == 8 ? paletteColours * 4 : 0;
    const std::uint32_t offset = 14 + 40 + palette;
    std::string s = "BM";
    Put32(s, offset + stride * h);
    Put32(s, 0);
    Put32(s, offset);
    Put32(s, 40);
    Put32(s, static_cast<std::uint32_t>(w));
    Put32(s, static_cast<std::uint32_t>(topDown ? -h : h));
    Put16(s, 1);
    Put16(s, bpp);
    Put32(s, 0);
    Put32(s, stride * h);
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, bpp == 8 ? paletteColours : 0);
    Put32(s, 0);
    // A grey ramp palette: index i is (i, i, i).
    for (std::uint32_t i = 0; i < palette / 4; ++i) Put32(s, i << 16 | i << 8 | i);
    for (std::int32_t r = 0; r < h; ++r) {
        const std::int32_t y = topDown ? r : h - 1 - r;
        std::string row;
        for (std::int32_t x = 0; x < w; ++x) {
            const std::uint32_t v = pixels[std::size_t(y) * w + x];
            if (bpp == 8) {
                row.push_back(static_cast<char>(v));
            } else {
                row.push_back(static_cast<char>(v));
                row.push_back(static_cast<char>(v >> 8));
                row.push_back(static_cast<char>(v >> 16));
                if (bpp == 32) row.push_back(0);
            }
        }
        row.resize(stride, 0);
        s += row;
    }
    return s;
}

std::string ReadLogText() {
    const auto text = ReadWholeFile(ResolvePath("SPS/LOG.TXT"));
    return text ? *text : std::string();
}
