// The clock, the score, the torpedo stock and the failure report of Animate.
#include "hud_world.h"

using namespace hudtest;

namespace {

class ClockScore : public HudWorld {
protected:
    void StartPlay() {
        MakeDisplays();
        Anzeige->StartGame();
        world.Playing = true;
        TakeSounds();
    }
    void Steps(int n) {
        for (int i = 0; i < n; ++i) Anzeige->Animate();
    }
};

TEST_F(ClockScore, ClockStartsAt90AndTicksEvery50PlayingSteps) {
    StartPlay();
    TScoretime& timer = *Anzeige->ScoreTime;
    EXPECT_EQ(FieldDigits("LeerZeit", "Zahlen", 11), "90");
    EXPECT_TRUE(timer.Bob(1)->Visible);
    EXPECT_TRUE(timer.Bob(2)->Visible);
    EXPECT_FALSE(timer.Bob(3)->Visible);
    Steps(49);
    EXPECT_EQ(timer.Seconds, 90);
    Steps(1);
    EXPECT_EQ(timer.Seconds, 89);
    EXPECT_EQ(FieldDigits("LeerZeit", "Zahlen", 11), "89");
    Steps(50);
    EXPECT_EQ(FieldDigits("LeerZeit", "Zahlen", 11), "88");

    // Not playing, or after the deadly pass, the clock stands still.
    world.Playing = false;
    Steps(120);
    EXPECT_EQ(timer.Seconds, 88);
    world.Playing = true;
    Anzeige->GameOver = true;
    Steps(120);
    EXPECT_EQ(timer.Seconds, 88);
    EXPECT_TRUE(TakeSounds() == std::vector<std::string>({"TR_66_02"}));
}

TEST_F(ClockScore, LastTenSecondsUseTheBigDigitsAndSoundEachSecond) {
    StartPlay();
    TScoretime& timer = *Anzeige->ScoreTime;
    Steps(79 * 50);
    EXPECT_EQ(timer.Seconds, 11);
    EXPECT_TRUE(TakeSounds().empty());
    Steps(50);
    EXPECT_EQ(timer.Seconds, 10);
    EXPECT_FALSE(timer.Bob(1)->Visible);
    EXPECT_FALSE(timer.Bob(2)->Visible);
    EXPECT_TRUE(timer.Bob(3)->Visible);
    EXPECT_EQ(FieldDigits("bigtimefeld", "bignumbers", 10), "10");
    EXPECT_TRUE(TakeSounds() == std::vector<std::string>({"BIGTIME"}));
    Steps(9 * 50);
    EXPECT_EQ(FieldDigits("bigtimefeld", "bignumbers", 10), "1");
    EXPECT_EQ(TakeSounds().size(), 9u);
    EXPECT_FALSE(Anzeige->Won);
    Steps(50);
    EXPECT_EQ(FieldDigits("bigtimefeld", "bignumbers", 10), "0");
    EXPECT_TRUE(TakeSounds() == std::vector<std::string>({"BIGTIME"}));
    EXPECT_TRUE(Anzeige->Won);
}

TEST_F(ClockScore, RunningOutAddsTheBonusBeforeTheScoreIsPlaced) {
    StartPlay();
    Anzeige->ScorePoints->Points = 1234;
    Steps(90 * 50 - 1);
    EXPECT_FALSE(Anzeige->Won);
    EXPECT_EQ(Anzeige->ScorePoints->Points, 1234);
    Steps(1);
    EXPECT_TRUE(Anzeige->Won);
    EXPECT_EQ(Anzeige->ScorePoints->Points, 11234);
    EXPECT_EQ(FieldDigits("LeerPoints", "Zahlen", 11), "11234");
    EXPECT_EQ(Anzeige->HelpField->TextCount, 1);
    EXPECT_EQ(Anzeige->HelpField->Texts[0], "Protect to prevail");
    // The end sequence begins in the same step and places the score with its bonus.
    EXPECT_EQ(Anzeige->EndCounter, 1);
    EXPECT_EQ(Anzeige->NewRank, 1);
    EXPECT_EQ(Env.Highscores[0].Score, 11234);
    EXPECT_FALSE(Anzeige->ScoreTime->Visible);
}

TEST_F(ClockScore, NegativeScoreShowsTheCondomForTheMinus) {
    StartPlay();
    EXPECT_EQ(FieldDigits("LeerPoints", "Zahlen", 11), "0");
    Anzeige->ScorePoints->Points = -150;
    Anzeige->ScorePoints->PaintPoints();
    EXPECT_EQ(FieldDigits("LeerPoints", "Zahlen", 11), "-150");
    Anzeige->ScorePoints->Points = -999999;  // seven characters leave the field empty
    Anzeige->ScorePoints->PaintPoints();
    EXPECT_EQ(FieldDigits("LeerPoints", "Zahlen", 11), "");
}

TEST_F(ClockScore, TorpedoModeAndItsIcons) {
    StartPlay();
    auto shown = [this] {
        int n = 0;
        for (int i = 1; i <= TorpedoIconCount; ++i)
            if (Anzeige->TorpedoIcon(i).Visible) {
                EXPECT_EQ(n, i - 1) << "icons are shown from the first";
                n = i;
            }
        return n;
    };
    EXPECT_EQ(shown(), 0);
    Anzeige->TorpedoOn();
    EXPECT_TRUE(Anzeige->TorpedoMode);
    EXPECT_EQ(shown(), 10);
    Anzeige->UseTorpedo();
    Anzeige->UseTorpedo();
    EXPECT_EQ(shown(), 8);
    Anzeige->TorpedoOff();
    EXPECT_FALSE(Anzeige->TorpedoMode);
    EXPECT_EQ(shown(), 0);
    EXPECT_TRUE(TakeSounds() == std::vector<std::string>({"TR_50_07", "TR_50_08"}));

    Anzeige->Torpedoes = 1;
    Anzeige->TorpedoOn();
    EXPECT_EQ(shown(), 1);
    Anzeige->UseTorpedo();  // the last one ends torpedo mode and takes the last icon
    EXPECT_FALSE(Anzeige->TorpedoMode);
    EXPECT_EQ(Anzeige->Torpedoes, 0);
    EXPECT_EQ(shown(), 0);
    TakeSounds();
    Anzeige->TorpedoOn();  // none left: only the refusal sound
    EXPECT_FALSE(Anzeige->TorpedoMode);
    EXPECT_TRUE(TakeSounds() == std::vector<std::string>({"TR_50_08"}));
}

TEST_F(ClockScore, AFailingStepIsLoggedWithTheLastPartDoneAndRaisedAgain) {
    StartPlay();
    Anzeige->ScoreTime->Seconds = 11;
    Anzeige->SecondTicks = 49;
    sound->FindWave("BIGTIME").Free();
    EXPECT_ANY_THROW(Anzeige->Animate());
    const auto log = LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "anzeige.animate: step(6) ;");
}

TEST_F(ClockScore, HelpLineWaitsThenFadesEachTextInAndOut) {
    StartPlay();
    Thelpfeld& help = *Anzeige->HelpField;
    EXPECT_EQ(help.TextCount, 2);
    Steps(100);
    EXPECT_FALSE(help.Visible);
    Steps(1);
    EXPECT_TRUE(help.Visible);
    EXPECT_EQ(help.TextCount, 1);
    EXPECT_EQ(help.Texts[0], "Slide the condom canon up and down with your mouse");
    EXPECT_EQ(help.Bob(1)->Alpha, 0);
    Steps(1);
    EXPECT_EQ(help.Bob(1)->Alpha, 3);
    Steps(84);
    EXPECT_EQ(help.Bob(1)->Alpha, 255);
    Steps(301 - 85);
    EXPECT_EQ(help.Bob(1)->Alpha, 255);
    Steps(85);
    EXPECT_EQ(help.Bob(1)->Alpha, 0);
    Steps(499 - 386);
    EXPECT_TRUE(help.Visible);
    Steps(1);
    EXPECT_FALSE(help.Visible);
    Steps(1);  // the next text follows at once
    EXPECT_TRUE(help.Visible);
    EXPECT_EQ(help.TextCount, 0);

    help.Clear();
    for (int i = 0; i < 25; ++i) help.AddText("t" + std::to_string(i));
    EXPECT_EQ(help.TextCount, MaxHelpTexts);
    EXPECT_EQ(help.Texts[19], "t19");
}

}  // namespace
