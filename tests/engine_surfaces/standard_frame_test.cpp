// The benchmark's standard frame, drawn by the engine, must stay the same bit
// for bit whatever is done to the loops for speed: the checksums were pinned
// with the plain loops written straight from the rules. ctest runs it at every
// instruction-set level through VANTOREL_SIMD.
#include <gtest/gtest.h>

#include "standard_scene.h"

TEST(StandardFrame, ChecksumsArePinned) {
    {
        const TStandardScene scene(PixelFormatRGB565());
        scene.Render();
        EXPECT_EQ(scene.Checksum(), 0xB28E0CCB77260AF4ull) << std::hex << scene.Checksum();
        scene.Render();
        EXPECT_EQ(scene.Checksum(), 0xB28E0CCB77260AF4ull) << "a second frame draws the same";
    }
    const TStandardScene scene(PixelFormatXRGB8888());
    scene.Render();
    EXPECT_EQ(scene.Checksum(), 0xBC6A76DBBA078374ull) << std::hex << scene.Checksum();
    EXPECT_GT(scene.PixelsWritten(), 3000000u);
}
