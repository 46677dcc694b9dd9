// The game screen's waits for input let Qt repaint, but not on every wait.
#include <gtest/gtest.h>

#include "app/painting_display.h"
#include "infra/clock.h"

namespace {

class CountingDisplay : public IDisplay {
public:
    TDisplayModeInfo DesktopMode() override { return {}; }
    TDisplayModeInfo Open(int, std::int32_t, std::int32_t) override { return {}; }
    void Close() override {}
    void Present(const TSurface&) override {}
    void SetCursorVisible(bool) override {}
    void CursorPos(std::int32_t&, std::int32_t&) override {}
    void ClientOrigin(std::int32_t&, std::int32_t&) override {}
    void WaitEvents(std::vector<InputEvent>& out, std::uint32_t) override {
        ++waits;
        out.push_back(InputEvent{});
    }
    void Wake() override {}
    bool TakeContentsLost() override { return false; }
    void Beep() override {}
    void SetNameEntry(bool) override {}
    int waits = 0;
};

TEST(PaintingDisplay, PumpsOnTheFirstWaitAndThenAtMostOncePerInterval) {
    ManualClock clock(1000);
    CountingDisplay inner;
    int pumps = 0;
    TPaintingDisplay display(
        inner, clock, [&] { ++pumps; }, 30);
    std::vector<InputEvent> events;
    display.WaitEvents(events, 10);
    EXPECT_EQ(pumps, 1);
    clock.Advance(29);
    display.WaitEvents(events, 10);
    EXPECT_EQ(pumps, 1);
    clock.Advance(1);
    display.WaitEvents(events, 10);
    EXPECT_EQ(pumps, 2);
    // Every wait still reaches the real display and its events come through.
    EXPECT_EQ(inner.waits, 3);
    EXPECT_EQ(events.size(), 3u);
}

}  // namespace
