// Widening RGB565 for the software present keeps full and empty channels exact.
#include <gtest/gtest.h>

#include <vector>

#include "platform/rgb565_expand.h"

TEST(Rgb565Expand, ChannelsWidenWithTheirTopBitsRepeated) {
    const std::uint16_t in[] = {0xFFFF, 0x0000, 0xF800, 0x07E0, 0x001F, 0x7BEF, 0x8410};
    std::uint32_t out[7] = {};
    ExpandRgb565Row(in, out, 7);
    EXPECT_EQ(out[0], 0xFFFFFFu);
    EXPECT_EQ(out[1], 0x000000u);
    EXPECT_EQ(out[2], 0xFF0000u);
    EXPECT_EQ(out[3], 0x00FF00u);
    EXPECT_EQ(out[4], 0x0000FFu);
    EXPECT_EQ(out[5], 0x7B7D7Bu);  // 15/31, 31/63, 15/31
    EXPECT_EQ(out[6], 0x848284u);  // 16/31, 32/63, 16/31

    // Every value, in a row long enough for whole vectors and a short tail.
    std::vector<std::uint16_t> all(65536 + 5);
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::uint16_t>(i * 40503u);
    std::vector<std::uint32_t> wide(all.size() + 1, 0xDEADBEEF);
    ExpandRgb565Row(all.data(), wide.data(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::uint32_t p = all[i], r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
        ASSERT_EQ(wide[i], (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2)) << i;
    }
    EXPECT_EQ(wide.back(), 0xDEADBEEF) << "nothing written past the row";
}
