// The game states and the input table, driven step by step on a game screen
// that loaded the real graphics and sounds: what a scripted run shows only
// indirectly (pause timing, the editor's scroll limits, the info countdown).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "content/content_resources.h"
#include "game/capture_display.h"
#include "game/game_screen.h"
#include "headless_game.h"
#include "hud/displays.h"
#include "infra/clock.h"
#include "infra/env_data.h"
#include "sound/recording_audio_output.h"
#include "support/fixed_font_rasterizer.h"
#include "world/cave_front.h"
#include "world/world.h"

namespace {

using Form = TDDFullScreenForm1;

class GameStates : public ::testing::Test {
protected:
    GameStates() : display(clock) {
        outside.Clock = &clock;
        outside.Fonts = &font;
        outside.Resources = &ContentResources();
    }
    ~GameStates() override { form.reset(); }

    // A started game screen (graphics and sounds loaded), its states not yet
    // run; with sound, the sounds play on a recording output.
    void Start(int mode = 2, bool withSound = false) {
        std::function<std::unique_ptr<IAudioOutput>()> audio;
        if (withSound)
            audio = [this] {
                auto output = std::make_unique<RecordingAudioOutput>(clock);
                recorder = output.get();
                return output;
            };
        form = std::make_unique<Form>(display, audio, outside);
        form->ThreadedLoop = false;
        form->SetDisplayMode(mode);
        form->FormShow();
        ASSERT_FALSE(form->ErrorOccurred);
        ASSERT_EQ(form->glsproc, &Form::glsInit);
    }
    void MouseAt(std::int32_t x, std::int32_t y) {
        display.ScheduleMouse(display.Elapsed(), x, y);
        std::vector<InputEvent> events;
        display.WaitEvents(events, 0);
    }
    void Key(std::uint16_t vk, bool ctrl = false) {
        TShiftState shift;
        shift.Ctrl = ctrl;
        form->FormKeyDown(vk, shift);
    }

    HeadlessGame game;
    FixedFontRasterizer font;
    ManualClock clock{5000};
    CaptureDisplay display;
    TOutsideWorld outside;
    RecordingAudioOutput* recorder = nullptr;
    std::unique_ptr<Form> form;
};

}  // namespace

TEST_F(GameStates, AClickStartsPlayOnTheTitleAndFiresDuringPlay) {
    Start();
    form->glsInit();
    EXPECT_EQ(form->glsproc, &Form::glsBegin);
    EXPECT_TRUE(form->LevelActive);
    form->Click();
    EXPECT_TRUE(form->Screen.Clicked);
    EXPECT_EQ(form->Screen.PendingShots, 0);
    form->glsBegin();
    EXPECT_EQ(form->glsproc, &Form::glsBegin2);
    EXPECT_TRUE(form->World.Playing);
    EXPECT_TRUE(form->HelpShown);
    EXPECT_EQ(form->World.Front->ScrollPos, FrontScrollStart);
    EXPECT_EQ(Env.GamesStarted, 1);
    // Enter acts like the left button.
    char enter = 13;
    form->FormKeyPress(enter);
    EXPECT_EQ(form->Screen.PendingShots, 1);
    EXPECT_FALSE(form->HelpShown);
    form->FormMouseDown(TMouseButton::mbLeft);
    form->FormMouseDown(TMouseButton::mbRight);
    EXPECT_EQ(form->Screen.PendingShots, 2);
    for (int i = 0; i < 99; ++i) form->glsBegin2();
    EXPECT_EQ(form->glsproc, &Form::glsBegin2);
    form->glsBegin2();
    EXPECT_EQ(form->glsproc, &Form::glsLoop);
}

TEST_F(GameStates, PTwiceWithin200MsStaysAndEveryPauseCosts100) {
    Start();
    Key('P');
    EXPECT_FALSE(form->Paused);  // no level yet
    form->glsInit();
    Key('P');
    EXPECT_TRUE(form->Paused);
    EXPECT_EQ(form->World.Anzeige->ScorePoints->Points, -100);
    clock.Advance(200);
    Key('P');
    EXPECT_TRUE(form->Paused);
    clock.Advance(1);
    Key('P');
    EXPECT_FALSE(form->Paused);
    EXPECT_EQ(form->World.Anzeige->ScorePoints->Points, -100);
    Key('P');
    EXPECT_TRUE(form->Paused);
    EXPECT_EQ(form->World.Anzeige->ScorePoints->Points, -200);
    // Ctrl+P takes a picture and leaves the pause alone.
    Key('P', true);
    EXPECT_TRUE(form->Paused);
    EXPECT_TRUE(game.Dir.Exists("Screenshots/Shot_1.jpg"));
}

TEST_F(GameStates, PIsIgnoredWhileANameIsEntered) {
    Start();
    form->glsInit();
    form->World.Anzeige->HSEntry(3).Editing = true;
    Key('P');
    EXPECT_FALSE(form->Paused);
    EXPECT_EQ(form->World.Anzeige->ScorePoints->Points, 0);
}

TEST_F(GameStates, TSwitchesTorpedoModeOnlyDuringPlay) {
    Start();
    form->glsInit();
    char t = 't';
    form->FormKeyPress(t);
    EXPECT_FALSE(form->World.Anzeige->TorpedoMode);
    form->Click();
    form->glsBegin();
    form->FormKeyPress(t);
    EXPECT_TRUE(form->World.Anzeige->TorpedoMode);
    char bigT = 'T';
    form->FormKeyPress(bigT);
    EXPECT_FALSE(form->World.Anzeige->TorpedoMode);
}

TEST_F(GameStates, TheCaveEditorScrollsAtTheEdgesWithinTheStrip) {
    game.SetSetting("caveedit", "1");
    Start();
    form->glsInit();
    ASSERT_EQ(form->glsproc, &Form::glsCaveEdit);
    EXPECT_FALSE(form->World.Anzeige->Title->Visible);
    MouseAt(799, 300);
    form->glsCaveEdit();
    EXPECT_EQ(form->World.Front->ScrollPos, 0);  // already at the right end
    form->World.Front->ScrollPos = -100;
    form->glsCaveEdit();
    EXPECT_EQ(form->World.Front->ScrollPos, -51);
    EXPECT_EQ(form->BackScroll, 800 - 49);
    form->glsCaveEdit();
    form->glsCaveEdit();
    EXPECT_EQ(form->World.Front->ScrollPos, 0);
    MouseAt(10, 300);
    form->World.Front->ScrollPos = -22480;
    form->BackScroll = 0;
    form->glsCaveEdit();
    EXPECT_EQ(form->World.Front->ScrollPos, FrontScrollEnd);
    EXPECT_EQ(form->BackScroll, 20);
    form->glsCaveEdit();
    EXPECT_EQ(form->World.Front->ScrollPos, FrontScrollEnd);
    MouseAt(400, 300);
    form->glsCaveEdit();
    EXPECT_EQ(form->World.Front->ScrollPos, FrontScrollEnd);
}

TEST_F(GameStates, LeavingTheCaveEditorWhenTheSaveFailsStillLeaves) {
    game.SetSetting("caveedit", "1");
    Start();
    form->glsInit();
    ASSERT_EQ(form->glsproc, &Form::glsCaveEdit);
    // The temporary file cannot be made, so the save raises.
    std::filesystem::create_directories(game.Dir / "sps/front.dat.tmp");
    form->Closing = true;
    EXPECT_ANY_THROW(form->glsCaveEdit());
    EXPECT_EQ(form->glsproc, &Form::glsExit);
    EXPECT_EQ(form->BackScroll, 0);
}

TEST_F(GameStates, TheInformationPictureWaits9000StepsAtMost) {
    Start();
    form->glsInit();
    form->Closing = true;
    form->glsBegin();
    EXPECT_EQ(form->glsproc, &Form::glsExit);
    form->glsExit();
    ASSERT_EQ(form->glsproc, &Form::glsInfo);
    EXPECT_FALSE(form->LevelLoaded());
    for (int i = 0; i < 8999; ++i) form->glsInfo();
    EXPECT_EQ(form->glsproc, &Form::glsInfo);
    form->glsInfo();
    EXPECT_EQ(form->glsproc, &Form::glsEnd);
    form->glsEnd();
    EXPECT_EQ(form->glsproc, &Form::glsNone);
    EXPECT_FALSE(form->FlippingOn);
}

TEST_F(GameStates, AnEndOfTheProgramLeavesEvenAPausedGameWithoutWaitingForThePlayer) {
    Start();
    form->glsInit();
    form->Click();
    form->glsBegin();
    Key('P');
    ASSERT_TRUE(form->Paused);
    form->EndWithoutWaiting();
    EXPECT_FALSE(form->Paused);
    EXPECT_TRUE(form->Closing);
    EXPECT_FALSE(form->Closed());  // the close box's first request: the states wind down
    int steps = 0;
    while (form->glsproc != &Form::glsNone && steps < 20) {
        std::invoke(form->glsproc, form.get());
        ++steps;
    }
    EXPECT_EQ(form->glsproc, &Form::glsNone);
    EXPECT_LT(steps, 10);
    const std::string log = game.Dir.Read("sps/LOG.TXT");
    EXPECT_NE(log.find("FormClose: Reclose\r\n"), std::string::npos);
    EXPECT_NE(log.find("glsExit: Close4\r\n"), std::string::npos) << log;  // the farewell picture showed
}

TEST_F(GameStates, AMissingSoundFolderFailsTheStartWithTheReason) {
    std::filesystem::remove(game.Dir / "snd");
    form = std::make_unique<Form>(display, nullptr, outside);
    form->ThreadedLoop = false;
    form->SetDisplayMode(2);
    form->ShowModal();
    EXPECT_TRUE(form->ErrorOccurred);
    EXPECT_TRUE(form->Closed());
    const std::string log = game.Dir.Read("sps/LOG.TXT");
    EXPECT_NE(log.find("\r\nError initiating DirectX: Cannot find Wave: back\r\n"), std::string::npos) << log;
    EXPECT_TRUE(log.ends_with("\r\nERROR\r\n"));
}

TEST_F(GameStates, TheCaveScrollsFivePerStepAndStopsAtItsEnd) {
    Start();
    form->glsInit();
    form->Click();
    form->glsBegin();
    for (int i = 0; i < 100; ++i) form->glsBegin2();
    ASSERT_EQ(form->glsproc, &Form::glsLoop);
    form->glsLoop();
    EXPECT_EQ(form->World.Front->ScrollPos, FrontScrollStart - 5);
    EXPECT_EQ(form->BackScroll, 1);
    form->World.Front->ScrollPos = FrontScrollEnd + 3;
    form->BackScroll = 799;
    form->glsLoop();
    EXPECT_EQ(form->World.Front->ScrollPos, FrontScrollEnd);
    EXPECT_EQ(form->BackScroll, 0);
    form->glsLoop();
    EXPECT_EQ(form->World.Front->ScrollPos, FrontScrollEnd);
    EXPECT_EQ(form->BackScroll, 0);
}

TEST_F(GameStates, PlayStartsWithComingAlsoWhenTheMusicIsOff) {
    for (const bool music : {true, false}) {
        Env.MusicOn = music;
        Start(2, true);
        form->glsInit();
        form->Click();
        recorder->starts.clear();
        form->glsBegin();
        std::vector<std::string> started;
        for (const auto& s : recorder->starts) started.push_back(s.name);
        EXPECT_EQ(started, std::vector<std::string>{"coming"}) << "music " << music;
        form.reset();
    }
}
