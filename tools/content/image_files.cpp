// Encoders for sheets, masks and JPEG pictures.
#include "image_files.h"

#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

void Put16(std::string& s, std::uint32_t v) {
    s += static_cast<char>(v & 255);
    s += static_cast<char>((v >> 8) & 255);
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

// BITMAPFILEHEADER + BITMAPINFOHEADER.
std::string BmpHeaders(int w, int h, int bits, int paletteEntries, std::uint32_t imageBytes) {
    const std::uint32_t offset = 14 + 40 + 4 * paletteEntries;
    std::string s = "BM";
    Put32(s, offset + imageBytes);
    Put32(s, 0);
    Put32(s, offset);
    Put32(s, 40);
    Put32(s, static_cast<std::uint32_t>(w));
    Put32(s, static_cast<std::uint32_t>(h));
    Put16(s, 1);
    Put16(s, static_cast<std::uint32_t>(bits));
    Put32(s, 0);  // BI_RGB
    Put32(s, imageBytes);
    Put32(s, 2835);  // 72 DPI
    Put32(s, 2835);
    Put32(s, static_cast<std::uint32_t>(paletteEntries));
    Put32(s, 0);
    return s;
}

}  // namespace

int KeyThreshold(bool masked) {
    return masked ? 24 : 128;
}

std::uint32_t SheetColour(std::uint32_t argb, bool masked) {
    const std::uint32_t a = argb >> 24;
    if (a < static_cast<std::uint32_t>(KeyThreshold(masked))) return 0;
    auto un = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
    std::uint32_t r = un((argb >> 16) & 255), g = un((argb >> 8) & 255), b = un(argb & 255);
    if (r < 8 && g < 4 && b < 8) r = g = b = 8;
    return (r << 16) | (g << 8) | b;
}

std::string EncodeSheetBmp(const Canvas& canvas, bool masked) {
    const int w = canvas.width(), h = canvas.height();
    const int stride = (w * 3 + 3) & ~3;
    std::string s = BmpHeaders(w, h, 24, 0, static_cast<std::uint32_t>(stride * h));
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = SheetColour(canvas.Pixel(x, y), masked);
            row[x * 3] = static_cast<char>(c & 255);
            row[x * 3 + 1] = static_cast<char>((c >> 8) & 255);
            row[x * 3 + 2] = static_cast<char>((c >> 16) & 255);
        }
        s += row;
    }
    return s;
}

std::string EncodeMaskBmp(const Canvas& canvas) {
    const int w = canvas.width(), h = canvas.height();
    const int stride = (w + 3) & ~3;
    std::string s = BmpHeaders(w, h, 8, 256, static_cast<std::uint32_t>(stride * h));
    for (int i = 0; i < 256; ++i) {
        s += static_cast<char>(i);
        s += static_cast<char>(i);
        s += static_cast<char>(i);
        s += '\0';
    }
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t argb = canvas.Pixel(x, y);
            const bool keyed = SheetColour(argb, true) == 0;
            row[x] = static_cast<char>(keyed ? 0 : argb >> 24);
        }
        s += row;
    }
    return s;
}

std::string EncodeJpeg(const Canvas& canvas, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    err.error_exit = [](j_common_ptr) { throw std::runtime_error("JPEG encoding failed"); };
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = static_cast<JDIMENSION>(canvas.width());
    info.image_height = static_cast<JDIMENSION>(canvas.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(canvas.width()) * 3);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint32_t p = canvas.Pixel(x, y);  // opaque pictures: premultiplied = plain
            row[x * 3] = static_cast<unsigned char>((p >> 16) & 255);
            row[x * 3 + 1] = static_cast<unsigned char>((p >> 8) & 255);
            row[x * 3 + 2] = static_cast<unsigned char>(p & 255);
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(out), outSize);
    std::free(out);
    return bytes;
}
