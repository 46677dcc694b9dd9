// Box-filtered scaling of the background strip and of the colour-keyed
// lettering, and their composition into one picture.
#include "title_banner.h"

#include <algorithm>
#include <exception>

#include "engine/bitmap_reader.h"
#include "engine/jpeg_codec.h"

namespace {

struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;  // colour of the covered part; a = coverage
};

// The average of the source pixels that fall into output pixel (x, y) when
// the source rectangle (sx, sy, sw, sh) is scaled to dw x dh. Black counts
// as transparent when keyed.
Rgba Sample(const TPicture& src, double sx, double sy, double sw, double sh, int dw, int dh, int x, int y,
            bool keyed) {
    const int x0 = static_cast<int>(sx + sw * x / dw),
              x1 = std::max(x0 + 1, static_cast<int>(sx + sw * (x + 1) / dw));
    const int y0 = static_cast<int>(sy + sh * y / dh),
              y1 = std::max(y0 + 1, static_cast<int>(sy + sh * (y + 1) / dh));
    Rgba sum;
    int total = 0, covered = 0;
    for (int v = std::max(y0, 0); v < std::min(y1, src.Height); ++v) {
        for (int u = std::max(x0, 0); u < std::min(x1, src.Width); ++u) {
            ++total;
            const std::uint32_t p = src.Pixels[static_cast<std::size_t>(v) * src.Width + u];
            if (keyed && (p & 0xFFFFFF) == 0) continue;
            ++covered;
            sum.r += (p >> 16) & 0xFF;
            sum.g += (p >> 8) & 0xFF;
            sum.b += p & 0xFF;
        }
    }
    if (covered == 0) return {};
    return {sum.r / covered, sum.g / covered, sum.b / covered, static_cast<double>(covered) / total};
}

std::uint32_t Pack(double r, double g, double b) {
    auto byte = [](double v) { return static_cast<std::uint32_t>(std::clamp(v + 0.5, 0.0, 255.0)); };
    return byte(r) << 16 | byte(g) << 8 | byte(b);
}

// The middle strip of the background, scaled to the banner's width.
TPicture BackgroundStrip(const TPicture& back) {
    TPicture out;
    out.Width = TitleBannerWidth;
    out.Height = TitleBannerHeight;
    out.Pixels.resize(static_cast<std::size_t>(out.Width) * out.Height);
    const double scale = static_cast<double>(back.Width) / TitleBannerWidth;
    const double sh = TitleBannerHeight * scale, sy = (back.Height - sh) / 2;
    for (int y = 0; y < out.Height; ++y)
        for (int x = 0; x < out.Width; ++x) {
            const Rgba c = Sample(back, 0, sy, back.Width, sh, out.Width, out.Height, x, y, false);
            out.Pixels[static_cast<std::size_t>(y) * out.Width + x] = Pack(c.r, c.g, c.b);
        }
    return out;
}

// Lays the lettering over the banner's centre, scaled to its width less a
// margin, or to its height when the lettering is too tall for that.
void DrawLettering(TPicture& banner, const TPicture& title) {
    int w = TitleBannerWidth - 12;
    int h = std::max(1, title.Height * w / title.Width);
    if (h > banner.Height) {
        h = banner.Height;
        w = std::max(1, title.Width * h / title.Height);
    }
    const int left = (banner.Width - w) / 2, top = (banner.Height - h) / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgba c = Sample(title, 0, 0, title.Width, title.Height, w, h, x, y, true);
            if (c.a == 0) continue;
            std::uint32_t& p = banner.Pixels[static_cast<std::size_t>(top + y) * banner.Width + left + x];
            const double br = (p >> 16) & 0xFF, bg = (p >> 8) & 0xFF, bb = p & 0xFF;
            p = Pack(br + (c.r - br) * c.a, bg + (c.g - bg) * c.a, bb + (c.b - bb) * c.a);
        }
}

}  // namespace

std::optional<std::string> TitleBannerJpeg(std::span<const std::uint8_t> titleBitmap,
                                           std::span<const std::uint8_t> backJpeg) {
    try {
        const TPicture title = ReadBitmap(titleBitmap);
        const TPicture back = DecodeJpeg(backJpeg);
        if (title.Empty() || back.Empty() || back.Width < TitleBannerWidth) return std::nullopt;
        TPicture banner = BackgroundStrip(back);
        DrawLettering(banner, title);
        return EncodeJpeg(banner, 92);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}
