// The SDL display on SDL's dummy video driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "platform/sdl_display.h"

namespace {

class SdlDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_VIDEODRIVER", "dummy", 1); }
};

}  // namespace

TEST_F(SdlDisplayTest, WindowModeOpensAtTheGameSizeAndPresents) {
    SdlDisplay display;
    const TDisplayModeInfo info = display.Open(2, 800, 600);
    EXPECT_EQ(info.Width, 800);
    EXPECT_EQ(info.Height, 600);
    EXPECT_NE(SdlFormatOf(info.Format), 0u);
    TSurface surface(800, 600, info.Format, DDSCAPS_SYSTEMMEMORY);
    display.Present(surface);
    display.Close();
}

TEST_F(SdlDisplayTest, FullScreenModesUseTheirFormats) {
    SdlDisplay display;
    EXPECT_EQ(display.Open(0, 800, 600).Format.dwRGBBitCount, 16u);
    const TDisplayModeInfo desktop = display.DesktopMode();
    const TDisplayModeInfo info = display.Open(1, 800, 600);
    EXPECT_EQ(info.Width, desktop.Width);
    EXPECT_EQ(info.Height, desktop.Height);
}

TEST_F(SdlDisplayTest, AWakeFromAnotherThreadEndsTheWait) {
    SdlDisplay display;
    display.Open(2, 800, 600);
    std::vector<InputEvent> events;
    display.WaitEvents(events, 0);  // drain start-up events
    std::thread waker([&] { display.Wake(); });
    const Uint32 before = SDL_GetTicks();
    events.clear();
    display.WaitEvents(events, 2000);
    waker.join();
    EXPECT_LT(SDL_GetTicks() - before, 1500u);
}
