// Fuzz entry: any bytes as a bitmap file or resource. A read must either
// raise EInvalidGraphic or give a picture whose arrays match its size.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/bitmap_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const TPicture p = ReadBitmap(std::span<const std::uint8_t>(data, size));
        const std::size_t pixels = static_cast<std::size_t>(p.Width) * static_cast<std::size_t>(p.Height);
        if (p.Width <= 0 || p.Height <= 0 || p.Pixels.size() != pixels) std::abort();
        if (p.BitsPerPixel == 8 ? p.Indices.size() != pixels : !p.Indices.empty()) std::abort();
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
