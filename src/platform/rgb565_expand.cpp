// RGB565 to XRGB8888.
#include "rgb565_expand.h"

void ExpandRgb565Row(const std::uint16_t* source, std::uint32_t* dest, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t p = source[i];
        const std::uint32_t r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
        dest[i] = (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
    }
}
