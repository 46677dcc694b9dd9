// A game world without a display: the generated content's definitions and
// sheets, the sounds on a recording output, and the world of one game made
// the way InitLevel makes it, from a level script of the test's own in a
// temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "game/game_world.h"
#include "infra/env_data.h"
#include "infra/file_io.h"
#include "infra/game_data.h"
#include "infra/paths.h"
#include "infra/random.h"
#include "infra/scrambler.h"
#include "sound/kb_dsound.h"
#include "sound/recording_audio_output.h"
#include "support/content_screen.h"
#include "support/fixed_font_rasterizer.h"
#include "support/temp_program_dir.h"
#include "world/bubble_points.h"
#include "world/bubbles.h"
#include "world/pipe.h"
#include "world/shots.h"
#include "world/swarm.h"

class WorldTest : public ::testing::Test {
protected:
    // A script that does nothing, so that tests drive the pools themselves.
    static constexpr const char* IdleScript = "end\n";

    void SetUp() override { Start(IdleScript); }
    void TearDown() override { Stop(); }

    // Writes the level file (plain text, one line per "\n") and builds the world.
    void Start(const std::string& script) {
        Stop();
        screen = TGameScreenFields();
        SetEnvDefaults();
        SetGameDataDefaults();
        Env.BubblesPercent = 100;
        RandSeed = 4711;
        std::string scrambled;
        for (const std::string& line : SplitLines(script)) scrambled += ScrambleText(line) + "\r\n";
        dir.Write("sps/Level1.txt", scrambled);
        OpenEngine();
        started = true;
        world.Open();
    }

    void Stop() {
        if (!started) return;
        world.Close();
        world.Playing = world.GameLost = world.GameWon = false;
        sound.reset();
        engine.reset();
        started = false;
    }

    // Sounds started since the last call, by name.
    std::vector<std::string> TakeSounds() {
        std::vector<std::string> names;
        for (const auto& s : recorder->starts) names.push_back(s.name);
        recorder->starts.clear();
        return names;
    }
    static bool Has(const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    }

    std::vector<std::string> Log() const {
        const auto text = ReadWholeFile(ResolvePath("SPS/LOG.TXT"));
        return text ? SplitLines(*text) : std::vector<std::string>{};
    }

    TSperm& Sperm(int i) { return *world.Spermien->Item(i); }
    TSchuss& Shot(int i) { return *world.Schuesse->Item(i); }
    TRohr& Pipe() { return *world.Rohre->Item(1); }
    // Enemy slot launched as the kind, its nose at noseX, moving with the thrust.
    TSperm& Place(int slot, int kind, float noseX, float y, float thrust = 0) {
        TSperm& s = Sperm(slot);
        s.Launch(world.Spermien->KindTable[static_cast<std::size_t>(kind)].GO, y, 0);
        s.ThrustX = thrust;
        s.VelocityX = 10 * thrust;
        s.SetX(noseX - s.Bob(1)->Width / 2);
        return s;
    }
    std::int32_t Points() const { return world.Anzeige->ScorePoints->Points; }
    std::int32_t VisibleSperms() {
        std::int32_t n = 0;
        for (int i = 1; i <= world.Spermien->ItemCount; ++i) n += Sperm(i).Visible ? 1 : 0;
        return n;
    }

    // False: the world is built without a sound engine.
    bool WithSound = true;
    TempProgramDir dir;
    ManualClock clock{0};
    TGameScreenFields screen;
    TGameWorld world{screen, clock};
    FixedFontRasterizer font;
    std::unique_ptr<ContentScreen> engine;
    RecordingAudioOutput* recorder = nullptr;
    std::unique_ptr<TkbDSound> sound;

private:
    void OpenEngine() {
        engine = std::make_unique<ContentScreen>(&font);
        if (::testing::Test::HasFailure()) return;
        if (!WithSound) return;
        auto output = std::make_unique<RecordingAudioOutput>();
        recorder = output.get();
        sound = std::make_unique<TkbDSound>(std::move(output), true, false);
        sound->LoadWaves(std::string(CONTENT_OUT_DIR) + "/snd");
        recorder->starts.clear();
    }

    bool started = false;
};
