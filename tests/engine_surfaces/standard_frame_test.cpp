// The benchmark's standard frame, drawn by the engine, must stay the same bit
// for bit whatever is done to the loops for speed: the checksums were pinned
// with the plain loops written straight from the rules.
#include <gtest/gtest.h>

#include <string>

#include "engine/pixel_rows_simd.h"
#include "standard_scene.h"

class StandardFrame : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { AllowAvx512(GetParam()); }
    void TearDown() override { AllowAvx512(true); }
};

INSTANTIATE_TEST_SUITE_P(Simd, StandardFrame, ::testing::Values(false, true),
                         [](const auto& p) { return p.param ? std::string("Avx512") : std::string("Sse2"); });

TEST_P(StandardFrame, ChecksumsArePinned) {
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
