// The state a replay's check lines carry, and a game's result: whatever a
// different input or a different chance would change soon.
#include "game/game_screen.h"
#include "hud/displays.h"
#include "hud/score_points.h"
#include "hud/score_time.h"
#include "infra/checksum.h"
#include "infra/random.h"
#include "world/cave_front.h"
#include "world/pipe.h"
#include "world/shots.h"
#include "world/swarm.h"

namespace {

void AddBody(TChecksum& sum, const TRBob& body) {
    sum.Add(body.Visible);
    sum.Add(body.X);
    sum.Add(body.Y);
    sum.Add(body.Z);
}

// The state procedure in force, by number.
int StateNumber(TDDFullScreenForm1::TStateProc proc) {
    const TDDFullScreenForm1::TStateProc states[] = {
        &TDDFullScreenForm1::glsInit, &TDDFullScreenForm1::glsBegin,    &TDDFullScreenForm1::glsBegin2,
        &TDDFullScreenForm1::glsLoop, &TDDFullScreenForm1::glsCaveEdit, &TDDFullScreenForm1::glsExit,
        &TDDFullScreenForm1::glsInfo, &TDDFullScreenForm1::glsEnd,      &TDDFullScreenForm1::glsNone};
    for (int i = 0; i < static_cast<int>(std::size(states)); ++i)
        if (states[i] == proc) return i;
    return -1;
}

void AddDisplays(TChecksum& sum, const TAnzeige& a) {
    sum.Add(a.ScorePoints->Points);
    sum.Add(a.ScoreTime->Seconds);
    sum.Add(a.Torpedoes);
    sum.Add(a.TorpedoMode);
    sum.Add(a.GameOver);
    sum.Add(a.Won);
    sum.Add(a.EndCounter);
    sum.Add(a.NewRank);
}

void AddWorld(TChecksum& sum, const TGameWorld& w) {
    sum.Add(w.Playing);
    sum.Add(w.GameWon);
    sum.Add(w.GameLost);
    if (w.Anzeige) AddDisplays(sum, *w.Anzeige);
    if (w.Spermien) {
        sum.Add(w.Spermien->MainPointer);
        sum.Add(w.Spermien->FormationPointer);
        sum.Add(w.Spermien->Stats);
        for (const auto& s : w.Spermien->Items) {
            if (!s) continue;
            AddBody(sum, *s);
            sum.Add(s->Caught);
            sum.Add(s->Passed);
            sum.Add(s->Kind);
        }
    }
    if (w.Rohre)
        for (const auto& r : w.Rohre->Items)
            if (r) AddBody(sum, *r);
    if (w.Schuesse)
        for (const auto& s : w.Schuesse->Items) {
            if (!s) continue;
            AddBody(sum, *s);
            sum.Add(s->CaughtIndex);
        }
    if (w.Front) sum.Add(w.Front->ScrollPos);
}

}  // namespace

std::uint32_t TDDFullScreenForm1::StateChecksum() const {
    TChecksum sum;
    sum.Add(StepsRun);
    sum.Add(StateNumber(glsproc));
    sum.Add(RandSeed);
    sum.Add(Paused);
    sum.Add(Closing);
    sum.Add(LevelActive);
    sum.Add(Screen.MouseX);
    sum.Add(Screen.MouseY);
    sum.Add(Screen.PendingShots);
    sum.Add(Screen.Clicked);
    sum.Add(Screen.StartTick);
    sum.Add(BackScroll);
    sum.Add(Countdown);
    sum.Add(HelpShown);
    AddWorld(sum, World);
    return sum.Value();
}

TReplayGame TDDFullScreenForm1::GameResult() const {
    TReplayGame game;
    if (World.Anzeige) game.Score = World.Anzeige->ScorePoints->Points;
    game.Outcome = World.GameWon    ? TGameOutcome::Won
                   : World.GameLost ? TGameOutcome::Lost
                                    : TGameOutcome::Left;
    if (World.Spermien) game.Stats = World.Spermien->Stats;
    return game;
}
