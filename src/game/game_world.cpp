// Making and freeing the world of one game, in the game's fixed order.
#include "game/game_world.h"

#include "infra/log.h"
#include "world/bubble_points.h"
#include "world/bubbles.h"
#include "world/cave_front.h"
#include "world/pipe.h"
#include "world/shots.h"
#include "world/swarm.h"

TGameWorld::TGameWorld(TGameScreenFields& screen, IClock& clock) : TWorld(screen), clock_(clock) {}

TGameWorld::~TGameWorld() {
    // The bobs of the world live in the sprite list, which the game screen
    // frees after the world; Close must have run by then or runs now.
    Close();
}

void TGameWorld::Open() {
    open_ = true;  // from here on Close frees whatever was made
    WriteLog("1");
    // Every pool is filled to its size: the world is made once per game and
    // its objects are reused, never allocated during play.
    Spermien = std::make_unique<TSpermien>(*this);
    for (int i = 0; i < MaxSperms; ++i) Spermien->AddSperm();
    WriteLog("2");
    Rohre = std::make_unique<TRohre>(*this);
    Rohre->AddRohr();
    WriteLog("3");
    Bubbles = std::make_unique<TBubbles>();
    for (int i = 0; i < MaxBubbles; ++i) Bubbles->AddBubble();
    WriteLog("4");
    Bubblpoints = std::make_unique<TBubblpoints>(*this);
    for (int i = 0; i < MaxBubblepoints; ++i) Bubblpoints->AddBubblepoint();
    WriteLog("5");
    Schuesse = std::make_unique<TSchuesse>(*this);
    for (int i = 0; i < MaxShots; ++i) Schuesse->AddSchuss();
    WriteLog("6");
    Anzeige = std::make_unique<TAnzeige>(*this, clock_);
    ReportTo(Anzeige.get());
    WriteLog("7");
    Front = std::make_unique<TFront>(Screen);
}

void TGameWorld::Close() {
    if (!open_) return;
    Front.reset();
    ReportTo(nullptr);
    Anzeige.reset();
    Spermien.reset();
    Rohre.reset();
    Schuesse.reset();
    Bubbles.reset();
    Bubblpoints.reset();
    open_ = false;
}
