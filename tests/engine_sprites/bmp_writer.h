// Small Windows bitmap files for the sprite tests: 24-bit sheets and 8-bit masks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace bmp {

inline void Put16(std::string& s, std::uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
inline void Put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Bottom-up bitmap of the given depth (8 or 24); pixel gives 0x00RRGGBB for 24
// bits or the palette index for 8 bits. 8-bit files carry a grey palette.
inline std::string Make(int w, int h, int bits, const std::function<std::uint32_t(int, int)>& pixel) {
    const int rowBytes = ((w * bits / 8) + 3) & ~3;
    const int paletteBytes = bits == 8 ? 256 * 4 : 0;
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(paletteBytes);
    std::string s = "BM";
    Put32(s, offset + static_cast<std::uint32_t>(rowBytes * h));
    Put32(s, 0);
    Put32(s, offset);
    Put32(s, 40);
    Put32(s, static_cast<std::uint32_t>(w));
    Put32(s, static_cast<std::uint32_t>(h));
    Put16(s, 1);
    Put16(s, static_cast<std::uint16_t>(bits));
    Put32(s, 0);
    Put32(s, static_cast<std::uint32_t>(rowBytes * h));
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, bits == 8 ? 256 : 0);
    Put32(s, 0);
    for (int i = 0; i < paletteBytes / 4; ++i) Put32(s, static_cast<std::uint32_t>(i * 0x010101));
    for (int y = h - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = pixel(x, y);
            if (bits == 8) {
                row += static_cast<char>(v & 0xFF);
            } else {
                row += static_cast<char>(v & 0xFF);
                row += static_cast<char>((v >> 8) & 0xFF);
                row += static_cast<char>((v >> 16) & 0xFF);
            }
        }
        row.resize(static_cast<std::size_t>(rowBytes), '\0');
        s += row;
    }
    return s;
}

}  // namespace bmp
