// The displays drawn with the game's own graphic objects, the real font and
// the menu's back picture, as a game screen frame would show them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/content_resources.h"
#include "engine/bobs.h"
#include "engine/graphic_objects.h"
#include "engine/pictures.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"
#include "hud/displays.h"
#include "infra/clock.h"
#include "infra/env_data.h"
#include "infra/file_io.h"
#include "infra/random.h"
#include "infra/resources.h"
#include "platform/freetype_rasterizer.h"
#include "png_writer.h"
#include "support/content_screen.h"
#include "support/temp_program_dir.h"
#include "world/world.h"

namespace {

class HudContent : public ::testing::Test {
protected:
    void SetUp() override {
        engine = std::make_unique<ContentScreen>(&font);
        if (HasFailure()) return;
        std::int32_t w = 0, h = 0;
        ASSERT_TRUE(LoadBitmapToSurface("GFX/sb/Back", back, w, h));
        SetEnvDefaults();
        RandSeed = 99;
        const char* names[] = {"Mia", "Jonas", "Lea", "Noah", "Emma", "Ben", "Hanna", "Paul", "Lina", "Finn"};
        for (int r = 1; r <= 10; ++r) {
            Env.Highscores[r - 1].Name.assign(names[r - 1]);
            Env.Highscores[r - 1].Score = 26000 - 2500 * r;
        }
        Anzeige = std::make_unique<TAnzeige>(world, clock);
        world.ReportTo(Anzeige.get());
    }
    void TearDown() override {
        world.ReportTo(nullptr);
        Anzeige.reset();
        back.reset();
        engine.reset();
    }

    void Steps(int n) {
        for (int i = 0; i < n; ++i) Anzeige->Animate();
    }
    // Draws the back picture and the sprite list; saves it when asked to.
    void Frame(const std::string& name) {
        TSurfaceRef frame = SecondarySurface();
        BlitClipped(back, 0, 0, 800, 600, frame, 0, 0, false, 0, 0, 799, 599);
        Bobs->paint();
        if (const char* folder = std::getenv("VANTOREL_HUD_FRAMES")) {
            std::filesystem::create_directories(folder);
            SaveSurfaceAsPng(*frame, std::string(folder) + "/" + name + ".png");
        }
    }
    static int InkPixels(const std::string& go) {
        const TSprite* s = SpriteAt(SpriteOf(GetGOIndex(go), 0, 0));
        const TPicture pic = SurfaceToPicture(*SpriteSurface(*s));
        int n = 0;
        for (int y = s->Y; y < s->Y + s->H; ++y)
            for (int x = s->X; x < s->X + s->W; ++x)
                n += pic.Pixels[static_cast<std::size_t>(y * pic.Width + x)] != 0;
        return n;
    }

    TempProgramDir dir;
    TFreeTypeRasterizer font;
    ManualClock clock{0};
    std::unique_ptr<ContentScreen> engine;
    TSurfaceRef back;
    TGameScreenFields screen;
    TWorld world{screen};
    std::unique_ptr<TAnzeige> Anzeige;
};

TEST_F(HudContent, TitleScreenWithThePromptAndTheTable) {
    Steps(100);
    Frame("title_prompt");
    EXPECT_TRUE(Anzeige->PressButton->Visible);
    Steps(200);
    Frame("title_table");
    EXPECT_GT(InkPixels("HSLeerfeld1"), 500);  // rank, name and score in the row
}

TEST_F(HudContent, PlayWithClockScoreHelpAndTorpedoes) {
    Anzeige->StartGame();
    world.Playing = true;
    Steps(160);
    Anzeige->ScorePoints->Points = 4320;
    Anzeige->ScorePoints->PaintPoints();
    Anzeige->TorpedoOn();
    Anzeige->UseTorpedo();
    Frame("play");
    EXPECT_GT(InkPixels("LeerZeit"), 0);
    EXPECT_GT(InkPixels("helpfeld"), 500);
    Steps(80 * 50);
    Anzeige->ScorePoints->Points = -150;
    Anzeige->ScorePoints->PaintPoints();
    Frame("bigtime");
    EXPECT_EQ(Anzeige->ScoreTime->Seconds, 7);
    EXPECT_GT(InkPixels("bigtimefeld"), 0);
}

TEST_F(HudContent, LostGameWithTheNameEntry) {
    Anzeige->StartGame();
    world.Playing = true;
    Anzeige->ScorePoints->Points = 12000;
    Env.LastHighscoreName.assign("Kim");
    Anzeige->GameOver = true;
    Steps(60);
    Frame("gameover");
    Steps(291 + 70);
    ASSERT_TRUE(Anzeige->HSEntryActive());
    Anzeige->HSKeyPress('i');
    Steps(30);
    Frame("name_entry");
    EXPECT_EQ(Env.Highscores[5].Name.str().substr(0, 4), "Kimi");
}

TEST_F(HudContent, WonGameCongratulations) {
    Anzeige->StartGame();
    world.Playing = true;
    Anzeige->ScoreTime->Seconds = 1;
    Anzeige->ScorePoints->Points = 3000;
    Steps(50);
    ASSERT_TRUE(Anzeige->Won);
    Steps(150);
    Frame("congratulations");
    Steps(100);
    Frame("won_table");
    EXPECT_EQ(Anzeige->NewRank, 6);
}

}  // namespace
