// Watching a replay on the game screen: the viewer's P stops the replay's
// clock, F runs it at four times the speed, the mouse and its clicks change
// nothing, Escape ends it; afterwards Env, the generator and the files are as
// they were.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "content/content_resources.h"
#include "game/capture_display.h"
#include "game/game_screen.h"
#include "game/replay_session.h"
#include "headless_game.h"
#include "infra/random.h"
#include "support/fixed_font_rasterizer.h"

namespace {

InputEvent Input(InputKind kind, std::uint16_t key = 0) {
    InputEvent e;
    e.Kind = kind;
    e.Key = key;
    return e;
}

// The replay's steps at a moment of the viewer's clock.
struct TSeen {
    std::uint32_t Ms;
    std::uint64_t Steps;
};

std::uint64_t StepsAt(const std::vector<TSeen>& seen, std::uint32_t ms) {
    std::uint64_t steps = 0;
    for (const TSeen& s : seen)
        if (s.Ms <= ms) steps = s.Steps;
    return steps;
}

}  // namespace

TEST(ReplayWatching, TheViewerPausesFastForwardsAndStopsAndNothingOfTheGameStays) {
    HeadlessGame game;
    std::ifstream in(std::string(VANTOREL_SOURCE_DIR) + "/tests/replays/won.replay", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    SetEnvDefaults();
    RandSeed = 4242;
    ManualClock clock;
    CaptureDisplay display(clock, 20);
    display.ScheduleInput(2000, Input(InputKind::KeyDown, 'P'));
    display.ScheduleInput(4000, Input(InputKind::KeyDown, 'P'));
    display.ScheduleInput(6000, Input(InputKind::KeyDown, 'F'));
    display.ScheduleMouse(7000, 700, 30);
    display.ScheduleInput(7100, Input(InputKind::MouseDown));
    display.ScheduleInput(7200, Input(InputKind::KeyPress));
    display.ScheduleInput(9000, Input(InputKind::KeyDown, VK_ESCAPE));
    FixedFontRasterizer fonts;
    TOutsideWorld outside;
    outside.Clock = &clock;
    outside.Resources = &ContentResources();
    outside.Fonts = &fonts;
    std::vector<TSeen> seen;
    std::string difference = "none yet";
    bool finished = true;
    {
        TReplaySession session(text.str(), {}, {});
        TDDFullScreenForm1 form(display, {}, outside);
        form.PlayReplay(session.Player());
        form.ThreadedLoop = false;
        form.SetDisplayMode(2);
        display.OnPresent = [&](const TSurface&) { seen.push_back({display.Elapsed(), form.StepsRun}); };
        form.ShowModal();
        difference = session.Player().Difference().value_or("");
        finished = session.Player().Finished();
        EXPECT_LT(display.Elapsed(), 9500u);  // Escape ended it at once
    }
    ASSERT_FALSE(seen.empty());
    const auto steps = [&](std::uint32_t from, std::uint32_t to) {
        return StepsAt(seen, to) - StepsAt(seen, from);
    };
    EXPECT_NEAR(static_cast<double>(steps(500, 1500)), 50, 2);  // normal speed: 50 steps a second
    EXPECT_EQ(steps(2100, 3900), 0u);                           // paused
    EXPECT_NEAR(static_cast<double>(steps(4100, 5900)), 90, 2);
    EXPECT_NEAR(static_cast<double>(steps(6100, 8900)), 4 * 140, 8);  // fast-forward
    EXPECT_EQ(difference, "");  // the viewer's mouse, click and key went nowhere
    EXPECT_FALSE(finished);
    // The replay's game entered 14880 into the table; the player's Env and
    // chance are back, and no file of the player's was written.
    EXPECT_EQ(Env.Highscores[0].Score, EmptyHighscore);
    EXPECT_EQ(Env.GamesStarted, 0);
    EXPECT_EQ(RandSeed, 4242u);
    for (const char* file : {"sps/LOG.TXT", "sps/env.dat", "sps/game.dat", "replays"})
        EXPECT_FALSE(game.Dir.Exists(file)) << file;
}
