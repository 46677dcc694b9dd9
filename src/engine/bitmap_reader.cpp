// Windows bitmap reader. Every size and offset in the headers is checked
// against the bytes we hold before a pixel is read: a broken or hostile file
// ends in EInvalidGraphic, never in a read past the data.
#include "engine/bitmap_reader.h"

#include <cstring>

namespace {

constexpr const char* kPrefix = "Ung\xFCltige Bitmap: ";

[[noreturn]] void Fail(const std::string& why) {
    throw EInvalidGraphic(kPrefix + why);
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
           std::uint32_t{b[at + 3]} << 24;
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

struct TDibHeader {
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows top-down
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t headerSize = 0;
};

TDibHeader ReadDibHeader(std::span<const std::uint8_t> b, std::size_t at) {
    if (b.size() < at + 4) Fail("Dateikopf zu kurz");
    TDibHeader h;
    h.headerSize = U32(b, at);
    if (h.headerSize < 40 || h.headerSize > 124) Fail("unbekannter Bildkopf");
    if (b.size() - at < h.headerSize) Fail("Dateikopf zu kurz");
    h.width = static_cast<std::int32_t>(U32(b, at + 4));
    h.height = static_cast<std::int32_t>(U32(b, at + 8));
    if (U16(b, at + 12) != 1) Fail("Ebenenzahl ist nicht 1");
    h.bitCount = U16(b, at + 14);
    h.compression = U32(b, at + 16);
    h.colorsUsed = U32(b, at + 32);
    const std::int64_t absHeight = h.height < 0 ? -h.height : h.height;
    if (h.width <= 0 || absHeight == 0 || h.width > MaxPictureDimension || absHeight > MaxPictureDimension)
        Fail("Abmessungen " + std::to_string(h.width) + " x " + std::to_string(h.height) +
             " nicht m\xF6glich");
    if (h.bitCount != 8 && h.bitCount != 24 && h.bitCount != 32)
        Fail("Farbtiefe " + std::to_string(h.bitCount) + " wird nicht unterst\xFCtzt");
    if (h.compression != 0) Fail("komprimierte Bitmaps werden nicht unterst\xFCtzt");
    return h;
}

void ReadRows(std::span<const std::uint8_t> b, std::size_t pixelsAt, const TDibHeader& h,
              const std::vector<std::uint32_t>& palette, TPicture& pic) {
    const std::size_t w = static_cast<std::size_t>(h.width), rows = static_cast<std::size_t>(pic.Height);
    const std::size_t stride = (w * h.bitCount + 31) / 32 * 4;
    if (pixelsAt > b.size() || (b.size() - pixelsAt) / stride < rows)
        Fail(
            "Bildpunktdaten reichen \xFC"
            "ber das Dateiende hinaus");
    pic.Pixels.resize(w * rows);
    if (h.bitCount == 8) pic.Indices.resize(w * rows);
    for (std::size_t r = 0; r < rows; ++r) {
        const std::size_t y = h.height < 0 ? r : rows - 1 - r;  // file row r shows picture row y
        const std::uint8_t* src = b.data() + pixelsAt + r * stride;
        std::uint32_t* dst = pic.Pixels.data() + y * w;
        if (h.bitCount == 8) {
            std::memcpy(pic.Indices.data() + y * w, src, w);
            for (std::size_t x = 0; x < w; ++x) {
                if (src[x] >= palette.size())
                    Fail(
                        "Palettenindex au\xDF"
                        "erhalb der Palette");
                dst[x] = palette[src[x]];
            }
        } else {
            const std::size_t bpp = h.bitCount / 8;
            for (std::size_t x = 0; x < w; ++x, src += bpp)
                dst[x] = std::uint32_t{src[0]} | std::uint32_t{src[1]} << 8 | std::uint32_t{src[2]} << 16;
        }
    }
}

}  // namespace

TPicture ReadBitmap(std::span<const std::uint8_t> b) {
    const bool file = b.size() >= 2 && b[0] == 'B' && b[1] == 'M';
    const std::size_t dibAt = file ? 14 : 0;
    const TDibHeader h = ReadDibHeader(b, dibAt);
    std::vector<std::uint32_t> palette;
    const std::size_t paletteAt = dibAt + h.headerSize;
    if (h.bitCount == 8) {
        const std::uint32_t count = h.colorsUsed == 0 ? 256 : h.colorsUsed;
        if (count > 256) Fail("Palette mit " + std::to_string(count) + " Farben");
        if (b.size() < paletteAt || (b.size() - paletteAt) / 4 < count)
            Fail(
                "Palette reicht \xFC"
                "ber das Dateiende hinaus");
        for (std::uint32_t i = 0; i < count; ++i) palette.push_back(U32(b, paletteAt + 4 * i) & 0xFFFFFF);
    }
    const std::size_t pixelsAt = file ? U32(b, 10) : paletteAt + 4 * palette.size();
    TPicture pic;
    pic.Width = static_cast<std::int32_t>(h.width);
    pic.Height = static_cast<std::int32_t>(h.height < 0 ? -h.height : h.height);
    pic.BitsPerPixel = h.bitCount;
    ReadRows(b, pixelsAt, h, palette, pic);
    return pic;
}
