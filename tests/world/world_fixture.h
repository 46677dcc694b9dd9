// A game world without a display: the generated content's definitions and
// sheets, the sounds on a recording output, the displays, bubbles, swarm,
// shots and pipe as InitLevel makes them, and a level script of the test's
// own in a temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include "support/content_engine.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "content/content_resources.h"
#include "engine/bobs.h"
#include "engine/graphic_objects.h"
#include "engine/screen.h"
#include "hud/displays.h"
#include "infra/env_data.h"
#include "infra/file_io.h"
#include "infra/game_data.h"
#include "infra/paths.h"
#include "infra/random.h"
#include "infra/scrambler.h"
#include "sound/kb_dsound.h"
#include "sound/recording_audio_output.h"
#include "support/fixed_font_rasterizer.h"
#include "support/temp_program_dir.h"
#include "world/bubble_points.h"
#include "world/bubbles.h"
#include "world/game_link.h"
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
        ResetGameLink();
        SetEnvDefaults();
        SetGameDataDefaults();
        Env.BubblesPercent = 100;
        RandSeed = 4711;
        std::string scrambled;
        for (const std::string& line : SplitLines(script)) scrambled += ScrambleText(line) + "\r\n";
        dir.Write("sps/Level1.txt", scrambled);
        OpenEngine();
        Anzeige = std::make_unique<TAnzeige>();
        Bubbles = std::make_unique<TBubbles>();
        for (int i = 0; i < MaxBubbles; ++i) Bubbles->AddBubble();
        Bubblpoints = std::make_unique<TBubblpoints>();
        for (int i = 0; i < MaxBubblepoints; ++i) Bubblpoints->AddBubblepoint();
        Spermien = std::make_unique<TSpermien>();
        for (int i = 0; i < MaxSperms; ++i) Spermien->AddSperm();
        Schuesse = std::make_unique<TSchuesse>();
        for (int i = 0; i < MaxShots; ++i) Schuesse->AddSchuss();
        Rohre = std::make_unique<TRohre>();
        Rohre->AddRohr();
        started = true;
    }

    void Stop() {
        if (!started) return;
        Rohre.reset();
        Schuesse.reset();
        Spermien.reset();
        Bubblpoints.reset();
        Bubbles.reset();
        Anzeige.reset();
        sound.reset();
        Bobs.reset();
        FreeGOs();
        ResetScreenGlobals();
        SetResources(nullptr);
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

    TSperm& Sperm(int i) { return *Spermien->Item(i); }
    TSchuss& Shot(int i) { return *Schuesse->Item(i); }
    TRohr& Pipe() { return *Rohre->Item(1); }
    std::int32_t Points() const;
    std::int32_t VisibleSperms() {
        std::int32_t n = 0;
        for (int i = 1; i <= Spermien->ItemCount; ++i) n += Sperm(i).Visible ? 1 : 0;
        return n;
    }

    // False: the world is built without a sound engine.
    bool WithSound = true;
    TempProgramDir dir;
    FixedFontRasterizer font;
    RecordingAudioOutput* recorder = nullptr;
    std::unique_ptr<TkbDSound> sound;

private:
    void OpenEngine() {
        OpenContentEngine();
        if (::testing::Test::HasFatalFailure()) return;
        if (!WithSound) return;
        auto output = std::make_unique<RecordingAudioOutput>();
        recorder = output.get();
        sound = std::make_unique<TkbDSound>(std::move(output), true, false);
        sound->LoadWaves(std::string(CONTENT_OUT_DIR) + "/snd");
        recorder->starts.clear();
    }

    bool started = false;
};
