// The cave layout the game ships with (made by the content tool) loads with
// the shipped element pictures, and the cave is on screen from the first step
// of a game to the last.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "content/content_resources.h"
#include "content/resource_data.h"
#include "engine/definition_text.h"
#include "front_world.h"
#include "infra/resources.h"
#include "support/content_screen.h"

using front_test::ElementSizes;

namespace {

// The sprite engine of FrontWorld, but with the shipped definitions and sheets.
class ShippedWorld {
public:
    ShippedWorld() {
        const auto lines = ContentDefinitions();
        for (std::int32_t type = 1; type <= FrontTypeCount; ++type)
            LoadGO(lines, UpperText(FrontElementGOName(type)));
        SetEnvDefaults();
        Env.FrontOn = 1;
        std::filesystem::create_directories(dir / "SPS");
        std::filesystem::copy_file(SHIPPED_FRONT, dir / "SPS/front.dat");
    }
    TempProgramDir dir;
    TestScreen engine{PixelFormatRGB565(), nullptr, ContentResources()};
    TGameScreenFields screen;
    std::unique_ptr<TFront> Front;
};

}  // namespace

namespace {

// Elements at least partly on screen for a strip position.
int OnScreen(const TFront& f, std::int32_t scrollPos) {
    int n = 0;
    for (std::int32_t slot = 1; slot <= f.Count; ++slot) {
        const TFrontelement* e = f.Element(slot);
        const double x = e->BaseX - scrollPos, half = ElementSizes[e->Type - 1].W / 2.0;
        if (x + half > 0 && x - half < 800) ++n;
    }
    return n;
}

}  // namespace

TEST(ShippedFront, LoadsWithTheShippedPicturesAndCoversTheGame) {
    ShippedWorld w;
    ASSERT_EQ(w.dir.Read("SPS/front.dat").size(), FrontFileSize);
    w.Front = std::make_unique<TFront>(w.screen);
    ASSERT_GT(w.Front->Count, 100);
    for (std::int32_t slot = 1; slot <= w.Front->Count; ++slot) {
        TFrontelement* e = w.Front->Element(slot);
        ASSERT_NE(e, nullptr);
        const auto& size = ElementSizes[e->Type - 1];
        EXPECT_EQ(e->Bob(1)->Width, size.W) << size.Name;
        EXPECT_EQ(e->Bob(1)->Height, size.H) << size.Name;
    }

    for (std::int32_t pos = FrontScrollStart; pos >= FrontScrollEnd; pos -= 500)
        EXPECT_GE(OnScreen(*w.Front, pos), 3) << "at " << pos;

    // Saved by the editor and read again, the layout stays the same.
    const std::int32_t count = w.Front->Count;
    w.Front->SaveFront();
    const TFrontRecords saved = FrontRecords;
    w.Front = std::make_unique<TFront>(w.screen);
    EXPECT_EQ(w.Front->Count, count);
    for (std::int32_t slot = 1; slot <= count; ++slot) {
        EXPECT_EQ(w.Front->Element(slot)->BaseX, saved[static_cast<std::size_t>(slot - 1)].BaseX);
        EXPECT_EQ(w.Front->Element(slot)->Type, saved[static_cast<std::size_t>(slot - 1)].Type);
    }
}
