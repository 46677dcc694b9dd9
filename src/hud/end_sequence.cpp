// The end of a game: the world is stopped, the score placed, then
// "Congratulations" letter by letter and the table with the new entry.
#include <string>

#include "hud/displays.h"
#include "infra/env_data.h"
#include "infra/random.h"
#include "online/highscores.h"
#include "world/pipe.h"
#include "world/shots.h"
#include "world/sound_cues.h"
#include "world/swarm.h"
#include "world/world.h"

namespace {

float RandomSpread(double width) {
    return static_cast<float>((RandFloat() - 0.5) * width);
}

}  // namespace

void TAnzeige::EndSequenceStart() {
    ScoreTime->SetVisible(false);
    ScoreGameover->SetVisible(false);
    if (world_.Spermien) {
        world_.Spermien->StopAll();
        world_.Spermien->DemoMode = true;
    }
    if (world_.Rohre) world_.Rohre->Hide();
    if (world_.Schuesse) world_.Schuesse->HideAll();
    // The bonus of a won game is already in the score.
    NewRank = PlaceGameResult(ScorePoints->Points, [this] { return BuildStatText(); });
    StopWave("Back");
}

void TAnzeige::EndSequenceStep() {
    if (EndCounter == 0) EndSequenceStart();
    ++EndCounter;
    std::int32_t k = 0;
    if (Won)
        k = EndCounter - 25;
    else if (NewRank > 0)
        k = EndCounter + 221;  // straight to the table
    else
        world_.FinishGame(false);
    if (k > 0 && k % 6 == 0) EndTimelineStep(k / 6);
}

void TAnzeige::EndTimelineStep(std::int32_t s) {
    if (s >= 1 && s <= CongratLetters) {
        // Out of the screen centre, close to the camera, into a row across the middle.
        Tcongrat& letter = Congrat(s);
        letter.Bob(1)->Restart(s - 1);
        letter.TargetX = static_cast<float>((s - 1) * 40 - 300);
        letter.TargetY = 0;
        letter.TargetZ = 101 - 800;
        letter.SetVisible(true);
        if (s == 1) PlayWave("TR_06_03");
    } else if (s >= 21 && s <= 20 + CongratLetters) {
        Tcongrat& letter = Congrat(s - 20);
        letter.TargetY = -200;
        letter.TargetZ = letter.Z;
        letter.WobbleVelocityX = RandomSpread(0.1);
        letter.WobbleVelocityY = RandomSpread(0.1);
        letter.WobbleAccelX = RandomSpread(0.01);
        letter.WobbleAccelY = RandomSpread(0.01);
        if (s == 36) ScorePoints->SetVisible(false);
    } else if (s >= 37 && s <= 36 + HSRows) {
        const std::int32_t j = s - 36;
        THSEntry& row = HSEntry(j);
        row.PaintEntry();
        row.SetX(0);
        row.SetY(0);
        row.SetZ(-80);
        row.TargetX = 0;
        row.TargetY = static_cast<float>(HSRowY(j));
        row.TargetZ = -800;
        row.SetVisible(true);
        if (j == NewRank) {
            row.Editing = true;
            row.Cursor = static_cast<std::int32_t>(Env.Highscores[j - 1].Name.str().size()) + 1;
        }
        PlayWave("bigtime");
        if (j == HSRows && NewRank == 0) world_.FinishGame(Won);
        if (j == 1 && NewRank > 0) PlayWave("TR_36_03");
    }
}
