// The game-over picture and its pause before the end sequence.
#include "hud/score_gameover.h"

#include "hud/displays.h"
#include "world/sound_cues.h"

TScoreGameover::TScoreGameover() {
    AddBobByName("Gameover", 0, -1, 0, 0, 0);
    SetX(0);
    SetY(0);
    SetZ(0);
    TargetX = 0;
    TargetY = 0;
    TargetZ = -820;
    ApproachDivisor = 200;
    Damping = 1.1f;
    SetVisible(false);
}

void TScoreGameover::Step(TAnzeige& displays) {
    if (Visible) {
        Steer();
        Move();
    }
    if (!displays.GameOver) return;
    ++GameoverSteps;
    if (GameoverSteps == 1) {
        // From right at the camera it shrinks towards its own size.
        SetVisible(true);
        StopWave("Back");
        PlayWave("TR_66_02");
    } else if (GameoverSteps == 50) {
        displays.HelpField->Clear();
        displays.HelpField->AddText("Protect well, better, best");
    }
}
