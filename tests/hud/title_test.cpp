// The title screen's loop of start prompt and high-score rows, and StartGame.
#include "hud_world.h"

using namespace hudtest;

namespace {

class Title : public HudWorld {
protected:
    void SetUp() override {
        HudWorld::SetUp();
        MakeDisplays();
    }
    void Steps(int n) {
        for (int i = 0; i < n; ++i) Anzeige->Animate();
    }
    int VisibleRows() const {
        int n = 0;
        for (int r = 1; r <= HSRows; ++r) n += Anzeige->HSEntry(r).Visible ? 1 : 0;
        return n;
    }
};

TEST_F(Title, RowsStandAtTheirPlaces) {
    EXPECT_EQ(TAnzeige::HSRowY(1), -110);
    EXPECT_EQ(TAnzeige::HSRowY(10), 187);
    EXPECT_TRUE(Anzeige->Title->Visible);
    EXPECT_FALSE(Anzeige->ScoreTime->Visible);
    EXPECT_FALSE(Anzeige->ScorePoints->Visible);
}

TEST_F(Title, PromptThenTableGlideInAndOutAndTheLoopRepeats) {
    Tpressbutton& prompt = *Anzeige->PressButton;
    Steps(1);
    EXPECT_TRUE(prompt.Visible);
    // Placed at the left edge and already on its way.
    EXPECT_NEAR(prompt.X, (-400 - 709 / 2.0f) * 2, 10);
    EXPECT_FLOAT_EQ(prompt.TargetX, 0);
    EXPECT_FLOAT_EQ(prompt.Z, -1600);
    Steps(150);
    EXPECT_NEAR(prompt.X, 0, 20);  // it came to rest in the middle
    EXPECT_EQ(Anzeige->Title->TitleStep, 2);
    Steps(1);
    EXPECT_FLOAT_EQ(prompt.TargetX, (709 / 2.0f + 400 + 1000) * 2);
    Steps(50);
    EXPECT_EQ(VisibleRows(), 0);
    EXPECT_FLOAT_EQ(Anzeige->HSEntry(1).X, -400 - 175);
    Steps(5);
    EXPECT_EQ(VisibleRows(), 0);
    Steps(1);  // one row every 6 steps
    EXPECT_EQ(VisibleRows(), 1);
    Steps(54);
    EXPECT_EQ(VisibleRows(), 10);
    EXPECT_FLOAT_EQ(Anzeige->HSEntry(10).Y, TAnzeige::HSRowY(10));
    Steps(250);
    EXPECT_NEAR(Anzeige->HSEntry(1).X, 0, 1);
    Steps(6);
    EXPECT_FLOAT_EQ(Anzeige->HSEntry(1).TargetX, 175 + 400 + 1000);
    EXPECT_FLOAT_EQ(Anzeige->HSEntry(2).TargetX, 0);
    Steps(54 + 49);
    EXPECT_EQ(VisibleRows(), 10);
    Steps(1);
    EXPECT_EQ(VisibleRows(), 0);
    EXPECT_EQ(Anzeige->Title->TitleStep, 0);
    Steps(1);
    EXPECT_NEAR(prompt.X, (-400 - 709 / 2.0f) * 2, 10);
}

TEST_F(Title, StartGameHidesTheTitleSideAndShowsClockAndScore) {
    Steps(300);
    Anzeige->StartGame();
    EXPECT_FALSE(Anzeige->Title->Visible);
    EXPECT_FALSE(Anzeige->PressButton->Visible);
    EXPECT_EQ(VisibleRows(), 0);
    EXPECT_TRUE(Anzeige->ScoreTime->Visible);
    EXPECT_TRUE(Anzeige->ScorePoints->Visible);
    EXPECT_EQ(Anzeige->HelpField->Delay, 100);
    EXPECT_EQ(Anzeige->HelpField->Texts[0], "Left click on your mouse to shoot");
    const int step = Anzeige->Title->TitleStep;
    Steps(10);  // the title loop no longer runs
    EXPECT_EQ(Anzeige->Title->TitleStep, step);
    EXPECT_EQ(VisibleRows(), 0);
}

}  // namespace
