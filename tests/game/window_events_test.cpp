// What the game screen does with the window's own happenings and with
// failures of its input handlers: a pause, an expose, activations.
#include <stdexcept>

#include "game_screen_fixture.h"

using namespace gamescreen;

namespace {

// A form whose X key fails, as a handler can (a screenshot or a name that
// cannot be saved).
class FailingKeyForm : public TPipelineForm {
public:
    using TPipelineForm::TPipelineForm;
    void FormKeyDown(std::uint16_t key, TShiftState shift) override {
        if (key == 'X') throw std::runtime_error("kaputt");
        TPipelineForm::FormKeyDown(key, shift);
    }
};

}  // namespace

TEST_F(GameScreen, APausedGameRunsNoStepsButStillDrawsAndPresents) {
    auto form = MakeForm(2);
    std::vector<std::uint64_t> stepsWhilePaused;
    display.OnPresent = [&](const TSurface&) {
        if (form->Paused) stepsWhilePaused.push_back(form->StateSteps);
    };
    display.ScheduleInput(400, Key('P'));
    display.ScheduleInput(800, Key('P'));
    display.ScheduleInput(1200, Key(VK_ESCAPE));
    form->ShowModal();
    ASSERT_GE(stepsWhilePaused.size(), 10u) << "frames go on while paused";
    EXPECT_EQ(stepsWhilePaused.front(), stepsWhilePaused.back()) << "no step while paused";
    EXPECT_GT(form->StateSteps, stepsWhilePaused.back() + 10) << "play went on afterwards";
}

TEST_F(GameScreen, AnExposedWindowIsDrawnAgainButNotTheFullScreen) {
    // Frames presented by a run that leaves at 1000 ms, with or without the
    // window being exposed at 500 ms.
    auto presented = [&](int mode, bool exposed) {
        CaptureDisplay screen(clock);
        if (exposed) screen.ScheduleInput(500, Event(InputKind::Expose));
        screen.ScheduleInput(1000, Key(VK_ESCAPE));
        TPipelineForm form(screen, nullptr, outside);
        form.ThreadedLoop = false;
        form.SetDisplayMode(mode);
        form.ShowModal();
        return screen.Presented;
    };
    EXPECT_EQ(presented(2, true), presented(2, false) + 1) << "window: the frame once more";
    EXPECT_EQ(presented(0, true), presented(0, false)) << "full screen: nothing to do";
}

TEST_F(GameScreen, EveryNewActivationRunsFormActivate) {
    display.ScheduleInput(300, Event(InputKind::Activate));  // already active: nothing
    display.ScheduleInput(400, Event(InputKind::Deactivate));
    display.ScheduleInput(500, Event(InputKind::Activate));
    display.ScheduleInput(600, Event(InputKind::Activate));
    display.ScheduleInput(1000, Key(VK_ESCAPE));
    MakeForm(2)->ShowModal();
    EXPECT_EQ(LogCount("FormActivate: Start"), 2u);
    EXPECT_EQ(LogCount("FormActivate: End"), 2u);
}

TEST_F(GameScreen, AFailingInputHandlerIsLoggedAndTheGameGoesOn) {
    auto form = MakeForm<FailingKeyForm>(2);
    display.ScheduleInput(300, Key('X'));
    display.ScheduleInput(1500, Key(VK_ESCAPE));
    form->ShowModal();
    const auto log = Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "Exception raised in input handler: kaputt"), log.end());
    EXPECT_TRUE(form->ErrorOccurred);
    // 1500 ms are 75 steps: the screen did not wind down at the failure.
    EXPECT_GE(form->StateSteps, 70u);
    EXPECT_EQ(log.back(), "ERROR");
}
