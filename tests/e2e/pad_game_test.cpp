// A whole game played with a gamepad only: SDL's virtual joystick, plugged in
// while the game screen runs, through SDL's real event path on the dummy video
// driver, on the build's content; the game time is a manual clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>

#include "content/content_resources.h"
#include "game/forwarding_display.h"
#include "game/game_screen.h"
#include "headless_game.h"
#include "hud/displays.h"
#include "infra/env_data.h"
#include "infra/log.h"
#include "platform/freetype_rasterizer.h"
#include "platform/sdl_display.h"
#include "sound/recording_audio_output.h"
#include "world/pipe.h"

namespace {

const std::vector<std::string> DeadlyLevel = {"speed=10",         "boba=virus1", "formation=1", "end",
                                              "DefineFormation1", "a9;",         "end"};

// The SDL display with a player in front of it: each wait for input is one
// step of game time, and before SDL's events are read the player's hand acts
// on the virtual pad, by step number or when the name entry begins.
class PadPlayer : public TForwardingDisplay {
public:
    PadPlayer(SdlDisplay& inner, ManualClock& clock) : TForwardingDisplay(inner), clock_(clock) {}
    ~PadPlayer() override { Unplug(); }

    void Plug() {
        pad_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                         SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(pad_, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(pad_);
        ASSERT_NE(joystick_, nullptr) << SDL_GetError();
    }
    void Unplug() {
        if (!joystick_) return;
        SDL_JoystickClose(joystick_);
        SDL_JoystickDetachVirtual(pad_);
        joystick_ = nullptr;
    }
    void Stick(Sint16 y) { SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, y); }
    // A button pressed now and let go at the next step.
    void Press(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(joystick_, button, 1);
        release_.push_back(button);
    }
    void At(int step, std::function<void()> act) { plan_.emplace(step, std::move(act)); }

    std::function<void()> OnNameEntry;
    int Steps = 0;
    bool NameEntrySeen = false;
    std::int32_t CursorY = -1;  // as the game read it last

    void CursorPos(std::int32_t& x, std::int32_t& y) override {
        Inner().CursorPos(x, y);
        CursorY = y;
    }
    void SetNameEntry(bool active) override {
        Inner().SetNameEntry(active);
        if (active) NameEntrySeen = true;
        if (active && OnNameEntry) OnNameEntry();
    }
    void WaitEvents(std::vector<InputEvent>& out, std::uint32_t) override {
        clock_.Advance(20);
        ++Steps;
        for (SDL_GameControllerButton b : release_) SDL_JoystickSetVirtualButton(joystick_, b, 0);
        release_.clear();
        const auto [first, last] = plan_.equal_range(Steps);
        for (auto it = first; it != last; ++it) it->second();
        Inner().WaitEvents(out, 0);
    }

private:
    ManualClock& clock_;
    int pad_ = -1;
    SDL_Joystick* joystick_ = nullptr;
    std::vector<SDL_GameControllerButton> release_;
    std::multimap<int, std::function<void()>> plan_;
};

class PadGame : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        game_.SetLevel(DeadlyLevel);
        game_.SaveRecords();
        outside_.Resources = &ContentResources();
        outside_.Fonts = &font_;
        outside_.Clock = &clock_;
        SetLogListener([this](std::string_view line) { log_.emplace_back(line); });
    }
    void TearDown() override { SetLogListener({}); }
    bool Logged(const std::string& line) const {
        return std::find(log_.begin(), log_.end(), line) != log_.end();
    }

    HeadlessGame game_;
    TFreeTypeRasterizer font_;
    ManualClock clock_{0};
    TOutsideWorld outside_;
    std::vector<std::string> log_;
};

}  // namespace

TEST_F(PadGame, APadPlaysAWholeGameAndTypesTheName) {
    SdlDisplay sdl;
    PadPlayer player(sdl, clock_);
    TDDFullScreenForm1 form(
        player, [this] { return std::make_unique<RecordingAudioOutput>(clock_); }, outside_);
    form.ThreadedLoop = false;
    form.SetDisplayMode(2);
    auto pipeY = [&form] { return form.World.Rohre ? form.World.Rohre->Item(1)->Y : -1000.0f; };
    float lowest = 0, afterMouse = 0;
    std::int32_t halfway = 0, further = 0;
    // Plugged in while the title shows; A starts the game.
    player.At(20, [&] { player.Plug(); });
    player.At(60, [&] { player.Press(SDL_CONTROLLER_BUTTON_A); });
    // The stick pushed half way down moves the cursor slowly, then fully
    // down twelve pixels a step, and steers the canon to its lowest place.
    player.At(100, [&] {
        halfway = -player.CursorY;  // in screen pixels: the window's place is added
        player.Stick(16000);
    });
    player.At(110, [&] {
        halfway += player.CursorY;
        further = -player.CursorY;
        player.Stick(32767);
    });
    player.At(120, [&] { further += player.CursorY; });
    player.At(160, [&] {
        lowest = pipeY();
        player.Stick(0);
        player.Press(SDL_CONTROLLER_BUTTON_X);  // torpedoes
    });
    player.At(162, [&] { player.Press(SDL_CONTROLLER_BUTTON_A); });
    // Pulled out and plugged in again, then the mouse takes over.
    player.At(165, [&] { player.Unplug(); });
    player.At(170, [&] { player.Plug(); });
    player.At(172, [&] { player.Press(SDL_CONTROLLER_BUTTON_Y); });  // condoms again
    player.At(175, [&] { player.Press(SDL_CONTROLLER_BUTTON_A); });
    player.At(180, [&] { SDL_WarpMouseInWindow(sdl.Window(), 400, 300); });
    player.At(185, [&] { afterMouse = pipeY(); });
    player.At(190, [&] { player.Press(SDL_CONTROLLER_BUTTON_START); });  // pause
    player.At(220, [&] { player.Press(SDL_CONTROLLER_BUTTON_START); });
    // The name: Up Up gives B, Right keeps it, Down gives Z, Start ends it.
    player.OnNameEntry = [&] {
        const int s = player.Steps;
        player.At(s + 2, [&] { player.Press(SDL_CONTROLLER_BUTTON_DPAD_UP); });
        player.At(s + 4, [&] { player.Press(SDL_CONTROLLER_BUTTON_DPAD_UP); });
        player.At(s + 6, [&] { player.Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT); });
        player.At(s + 8, [&] { player.Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN); });
        player.At(s + 10, [&] { player.Press(SDL_CONTROLLER_BUTTON_START); });
        // The next game's title: Back leaves, B closes the farewell picture.
        player.At(s + 100, [&] { player.Press(SDL_CONTROLLER_BUTTON_BACK); });
        player.At(s + 200, [&] { player.Press(SDL_CONTROLLER_BUTTON_B); });
    };
    player.At(20000, [&] { form.Close(); });  // a safety net only
    form.ShowModal();

    EXPECT_TRUE(player.NameEntrySeen);
    EXPECT_GT(halfway, 0);
    EXPECT_LT(halfway, 20);
    EXPECT_EQ(further, 120);
    EXPECT_FLOAT_EQ(lowest, 255.0f);  // the aim's limit, as the mouse at the bottom gives it
    EXPECT_FLOAT_EQ(afterMouse, 0.0f);
    EXPECT_EQ(Env.GamesStarted, 1);
    EXPECT_EQ(Env.Highscores[0].Name.str(), "BZ");
    EXPECT_EQ(Env.LastHighscoreName.str(), "BZ");
    // A torpedo, then (after the pad came back) a condom, and a pause.
    EXPECT_EQ(Env.Highscores[0].Score, -100 - 50 - 100);
    EXPECT_TRUE(Logged("glsLoop: Lost"));
    EXPECT_TRUE(Logged("Formkeydown: Escape"));
    EXPECT_TRUE(Logged("glsInfo: End"));
    EXPECT_LT(player.Steps, 20000);
    EXPECT_FALSE(form.ErrorOccurred);
}
