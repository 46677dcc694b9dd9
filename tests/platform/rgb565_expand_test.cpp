// Widening RGB565 for the software present keeps full and empty channels exact.
#include <gtest/gtest.h>

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
}
