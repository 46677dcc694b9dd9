// A game screen's worth of display machinery without a display: a temporary
// program folder, XRGB8888 screen surfaces, the sprite list, the displays'
// graphic objects as blank canvases (digit pictures filled with one colour
// each, so painted numbers can be read back), a fixed-metric font and a sound
// engine on a recording output with the displays' sounds.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/bobs.h"
#include "engine/graphic_objects.h"
#include "engine/pictures.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"
#include "hud/displays.h"
#include "infra/clock.h"
#include "infra/env_data.h"
#include "infra/file_io.h"
#include "infra/helpers.h"
#include "infra/paths.h"
#include "infra/random.h"
#include "sound/kb_dsound.h"
#include "sound/recording_audio_output.h"
#include "sound/wave_builder.h"
#include "support/definitions_builder.h"
#include "support/fixed_font_rasterizer.h"
#include "support/temp_program_dir.h"
#include "support/test_screen.h"
#include "world/bubble_points.h"
#include "world/bubbles.h"
#include "world/world.h"

namespace hudtest {

inline std::string Three(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%03d", n);
    return b;
}

// An animation of the frames with the delay.
inline std::string Ani(const std::string& name, const std::string& frames, int delay = 2) {
    return defs::Ani(name, frames, "(" + Three(delay) + "/000)");
}

// A canvas object: pictures side by side in one row.
inline std::string Canvas(const std::string& name, int w, int h, int pictures = 1,
                          std::vector<std::string> animations = {Ani("standard", "001")}) {
    return defs::Block(name, "CreateAnimation", w, h, pictures, pictures, 1, animations);
}

// One animation per picture, numbered from 0.
inline std::vector<std::string> OnePerPicture(int pictures) {
    std::vector<std::string> a;
    for (int i = 0; i < pictures; ++i) a.push_back(Ani(std::to_string(i), Three(i + 1)));
    return a;
}

// Every graphic object the displays, bubbles and bubble points use, at the
// sizes of the game's own pictures.
inline std::string Definitions() {
    std::string d;
    d += Canvas("time", 88, 34) + Canvas("LeerZeit", 336, 60) + Canvas("bigtimefeld", 460, 222);
    d += Canvas("score", 131, 35) + Canvas("LeerPoints", 336, 60) + Canvas("Gameover", 507, 68);
    d += Canvas("helpfeld", 700, 50) + Canvas("Congratulations", 50, 45, 16, OnePerPicture(16));
    d += Canvas("buttontostart", 709, 48) + Canvas("playandwin", 251, 31) + Canvas("vantorel", 761, 65);
    d += Canvas("titlevelmora", 234, 37) + Canvas("kbchlogo", 276, 66) + Canvas("torpedoscore", 10, 40);
    for (int r = 1; r <= 10; ++r) d += Canvas("HSLeerfeld" + std::to_string(r), 350, 50);
    d += Canvas("Zahlen", 56, 60, 11, OnePerPicture(11)) +
         Canvas("bignumbers", 230, 222, 10, OnePerPicture(10));
    const int sizes[8] = {110, 77, 54, 38, 27, 20, 15, 10};
    for (int i = 0; i < 8; ++i) d += Canvas("P" + std::to_string(i + 1), sizes[i], sizes[i]);
    d += Canvas("points", 56, 20, 51, {Ani("standard", "1-51", 0)});
    return d;
}

// The colour of digit picture d (0..10) of a digit object.
inline std::uint32_t GlyphColour(int d) {
    return 0x102030u + static_cast<std::uint32_t>(d) * 0x0A0B0Cu;
}

// The sounds the displays play.
inline const std::vector<std::string>& SoundNames() {
    static const std::vector<std::string> names = {"bigtime",  "TR_50_07", "TR_50_08", "TR_06_03",
                                                   "TR_36_03", "TR_66_02", "Back"};
    return names;
}

class HudWorld : public ::testing::Test {
protected:
    void SetUp() override {
        engine = std::make_unique<TestScreen>(PixelFormatXRGB8888(), &font);
        LoadGOs(SplitLines(Definitions()));
        ColourGlyphs("Zahlen", 11);
        ColourGlyphs("bignumbers", 10);
        StartSound();
        SetEnvDefaults();
        RandSeed = 12345;
    }

    void TearDown() override {
        world.ReportTo(nullptr);
        Anzeige.reset();
        world.Bubblpoints.reset();
        world.Bubbles.reset();
        engine.reset();
        sound.reset();
    }

    static void ColourGlyphs(const std::string& go, int count) {
        const std::int32_t g = GetGOIndex(go);
        for (int d = 0; d < count; ++d) {
            const TSprite* s = SpriteAt(SpriteOf(g, d, 0));
            Colorfill(SpriteSurface(*s), s->X, s->Y, s->W, s->H, GlyphColour(d));
        }
    }

    void StartSound() {
        auto output = std::make_unique<RecordingAudioOutput>();
        out = output.get();
        sound = std::make_unique<TkbDSound>(std::move(output), true, false);
        for (const auto& name : SoundNames()) {
            dir.Write("snd/" + name + ".wav", wave::File(1, 44100, 16, wave::Constant16(1, 100, 1000)));
            TkbDSoundFile::Create((dir / ("snd/" + name)).string(), true);
        }
    }

    // Names of the sounds started since the last call, in upper case.
    std::vector<std::string> TakeSounds() {
        std::vector<std::string> names;
        for (std::size_t i = seen; i < out->starts.size(); ++i) {
            std::string n = out->starts[i].name;
            for (char& c : n) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            names.push_back(n);
        }
        seen = out->starts.size();
        return names;
    }

    // The digit pictures painted into a field, read back by colour: "-" for
    // the condom picture, "" for an empty field.
    static std::string FieldDigits(const std::string& field, const std::string& font, int count) {
        const TSprite* f = SpriteAt(SpriteOf(GetGOIndex(field), 0, 0));
        const TSprite* glyph = SpriteAt(SpriteOf(GetGOIndex(font), 0, 0));
        const TPicture pic = SurfaceToPicture(*SpriteSurface(*f));
        std::string digits;
        for (int x = f->X; x < f->X + f->W; x += 1) {
            const std::uint32_t c = pic.Pixels[static_cast<std::size_t>(f->Y * pic.Width + x)];
            for (int d = 0; d < count; ++d)
                if (c == GlyphColour(d)) {
                    digits += d == 10 ? '-' : static_cast<char>('0' + d);
                    x += glyph->W - 1;
                    break;
                }
        }
        return digits;
    }

    static std::vector<std::string> LogLines() {
        const auto text = ReadWholeFile(ResolvePath("SPS/LOG.TXT"));
        return text ? SplitLines(*text) : std::vector<std::string>{};
    }

    // The displays of the world, reporting to it as in a game.
    void MakeDisplays() {
        Anzeige = std::make_unique<TAnzeige>(world, clock);
        world.ReportTo(Anzeige.get());
    }

    TempProgramDir dir;
    ManualClock clock{100000};
    FixedFontRasterizer font;
    std::unique_ptr<TestScreen> engine;
    TGameScreenFields screen;
    TWorld world{screen};
    std::unique_ptr<TAnzeige> Anzeige;
    std::unique_ptr<TkbDSound> sound;
    RecordingAudioOutput* out = nullptr;
    std::size_t seen = 0;
};

}  // namespace hudtest
