// The headless runner's input script.
#include <gtest/gtest.h>

#include "game/input_script.h"

namespace {

std::vector<InputEvent> Drain(CaptureDisplay& d, int waits) {
    std::vector<InputEvent> out;
    for (int i = 0; i < waits; ++i) d.WaitEvents(out, 0);
    return out;
}

}  // namespace

TEST(InputScript, HappeningsArriveAtTheirTimeInTheirOrder) {
    ManualClock clock;
    CaptureDisplay display(clock, 10);
    LoadInputScript(
        "# a game\n"
        "30 click\n"
        "10 move 400 300\n"
        "\n"
        "50 key Escape\n"
        "50 text H\xC3\xA9!\n",
        display);
    auto early = Drain(display, 2);  // 20 ms
    ASSERT_EQ(early.size(), 1u);
    EXPECT_EQ(early[0].Kind, InputKind::MouseMove);
    auto later = Drain(display, 3);  // 50 ms
    ASSERT_EQ(later.size(), 7u);
    EXPECT_EQ(later[0].Kind, InputKind::MouseDown);
    EXPECT_EQ(later[0].X, 400);  // at the cursor
    EXPECT_EQ(later[1].Kind, InputKind::MouseUp);
    EXPECT_EQ(later[2].Kind, InputKind::KeyDown);
    EXPECT_EQ(later[2].Key, VK_ESCAPE);
    EXPECT_EQ(later[3].Char, 27);
    EXPECT_EQ(later[4].Char, 'H');
    EXPECT_EQ(later[5].Char, '\xE9');
    EXPECT_EQ(later[6].Char, '!');
}

TEST(InputScript, KeysGiveTheirCharacterUnlessCtrlIsHeld) {
    ManualClock clock;
    CaptureDisplay display(clock, 10);
    LoadInputScript("0 key ctrl+p\n0 key t\n0 key shift+t\n0 key Delete\n0 key F1\n", display);
    const auto e = Drain(display, 1);
    ASSERT_EQ(e.size(), 7u);
    EXPECT_EQ(e[0].Key, 'P');
    EXPECT_TRUE(e[0].Shift.Ctrl);
    EXPECT_EQ(e[1].Key, 'T');
    EXPECT_EQ(e[2].Char, 't');
    EXPECT_EQ(e[4].Char, 'T');
    EXPECT_EQ(e[5].Key, VK_DELETE);
    EXPECT_EQ(e[6].Key, VK_F1);
}

TEST(InputScript, NonsenseNamesItsLine) {
    ManualClock clock;
    CaptureDisplay display(clock);
    for (const char* bad : {"x click", "10 jump", "10 key Hyper", "10 move 1", "10 click sideways",
                            "-5 close", "10 wheel left", "10 stall forever", "10 key F13"}) {
        try {
            LoadInputScript(std::string("0 close\n") + bad, display);
            ADD_FAILURE() << bad;
        } catch (const EInputScriptError& e) {
            EXPECT_NE(std::string(e.what()).find("input line 2"), std::string::npos) << e.what();
        }
    }
}

TEST(InputScript, AStallMovesTheClock) {
    ManualClock clock(5000);
    CaptureDisplay display(clock, 20);
    LoadInputScript("0 stall 1000\n", display);
    Drain(display, 1);
    EXPECT_EQ(display.Elapsed(), 1020u);
}
