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

TEST_F(SdlDisplayTest, AFrameFillsALargerWindowSharplyAndTheMouseComesBackInGamePixels) {
    SdlDisplay display;
    const TDisplayModeInfo info = display.Open(2, 800, 600);
    // A window the desktop made larger: twice the picture fits, with bars of 50.
    SDL_SetWindowSize(display.Window(), 1700, 1300);
    ASSERT_EQ(info.Format.dwRGBBitCount, 32u);
    TSurface frame(800, 600, info.Format, DDSCAPS_SYSTEMMEMORY);
    TSurfaceLock lock(frame);
    ASSERT_EQ(lock.Result(), DD_OK);
    auto at = [&](std::uint32_t x, std::uint32_t y) -> std::uint32_t& {
        return reinterpret_cast<std::uint32_t*>(lock.Bits() + y * lock.Pitch())[x];
    };
    for (std::uint32_t y = 0; y < 600; ++y)
        for (std::uint32_t x = 0; x < 800; ++x) at(x, y) = 0x00FF00;
    at(0, 0) = 0xFF0000;
    at(799, 599) = 0x0000FF;
    display.Present(frame);
    ASSERT_STREQ(display.Presenter()->Kind(), "window surface");  // the dummy driver has no renderer
    SDL_Surface* out = SDL_GetWindowSurface(display.Window());
    ASSERT_EQ(out->w, 1700);
    auto shown = [&](int x, int y) {
        return reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(out->pixels) +
                                                      y * out->pitch)[x] &
               0xFFFFFFu;
    };
    EXPECT_EQ(shown(49, 49), 0u);
    EXPECT_EQ(shown(50, 50), 0xFF0000u);
    EXPECT_EQ(shown(51, 51), 0xFF0000u);
    EXPECT_EQ(shown(52, 52), 0x00FF00u);
    EXPECT_EQ(shown(1649, 1249), 0x0000FFu);
    EXPECT_EQ(shown(1650, 1250), 0u);
    std::int32_t x = 50 + 601, y = 50 + 501;
    display.WindowToPicture(x, y);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 250);
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
