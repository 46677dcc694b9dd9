// The world's shared state and the displays it reports to.
#include "world/world.h"

#include "world/bubble_points.h"
#include "world/bubbles.h"
#include "world/cave_front.h"
#include "world/pipe.h"
#include "world/shots.h"
#include "world/swarm.h"

namespace {

// Stands in while no displays exist.
class TNoDisplays : public IWorldDisplays {
public:
    void AddPoints(std::int32_t) override {}
    void Defeat() override {}
    void TorpedoFired() override {}
    bool IsGameOver() const override { return false; }
    bool IsTorpedoMode() const override { return false; }
};

TNoDisplays g_noDisplays;

}  // namespace

TWorld::TWorld(TGameScreenFields& screen) : Screen(screen), displays_(&g_noDisplays) {}

TWorld::~TWorld() = default;

void TWorld::ReportTo(IWorldDisplays* displays) {
    displays_ = displays ? displays : &g_noDisplays;
}

void TWorld::FinishGame(bool won) {
    Playing = false;
    if (won)
        GameWon = true;
    else
        GameLost = true;
    Screen.Clicked = true;
}
