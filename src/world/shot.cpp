// One shot: a condom that unrolls over its catch and rides along, or a
// torpedo that dissolves every enemy it meets and flies on.
#include "engine/graphic_objects.h"
#include "engine/screen.h"
#include "infra/random.h"
#include "sound/kb_dsound.h"
#include "world/bubble_points.h"
#include "world/bubbles.h"
#include "world/shots.h"
#include "world/sound_cues.h"
#include "world/swarm.h"
#include "world/world.h"

namespace {

constexpr float FarHitX = -200.0f;
constexpr std::int32_t FarHitBonus = 50;
// How far ahead of the shot (to the left) an enemy's nose counts as hit.
constexpr float HitReach = 100.0f;

// The sound an enemy of each kind makes when a condom catches it (kind 1
// uses the shot's own unroll sound).
constexpr const char* CatchSounds[KindCount + 1] = {"",       "abroll", "bubble", "sperm3",
                                                    "virus1", "virus2", "virus3"};

}  // namespace

TSchuss::TSchuss(TWorld& world)
    : world_(world),
      goSchuss_(GetGOIndex("schuss")),
      goTorpedo_(GetGOIndex("torpedo")),
      goAbroll_(GetGOIndex("abroll")),
      goKondom_(GetGOIndex("kondom")) {
    AddBob(goSchuss_, 0, -1, 0, 0, 0);
    AddBob(goAbroll_, 0, -1, 0, 0, 0);
    Bob(2)->Alpha = 165;
    if (TkbDSoundFile* abroll = WorldSound("abroll")) abroll_ = &TkbDSoundFile::CreateDuplicate(*abroll);
    soundEngine_ = DSound;
    SetVisible(false);
    SetZ(-static_cast<float>(ProjectionScale));
}

TSchuss::~TSchuss() {
    // The duplicate lives in the engine's list; give it back unless the
    // engine has already gone (and taken it along).
    if (abroll_ && DSound && DSound == soundEngine_) abroll_->Free();
}

void TSchuss::Fire(float x, float y, float z) {
    Torpedo = world_.Displays().IsTorpedoMode();
    TBob* flying = Bob(1);
    if (Torpedo) {
        flying->SetAnimationOf(goTorpedo_, 0);
        ThrustX = -2.0f;
        PlayWave("Torpedo");
        // Torpedoes are forgiving: four times the sprite's height.
        HalfHeight = flying->Height / 2 * 4;
        world_.Displays().TorpedoFired();
        ++world_.Spermien->Stats[StatTorpedoesFired];
    } else {
        flying->SetAnimationOf(goSchuss_, 0);
        ThrustX = -1.0f;
        PlayAt("schussab", x, z);
        HalfHeight = flying->Height / 2;
        ++world_.Spermien->Stats[StatCondomsFired];
    }
    // Bring the velocity near its settled value; the position is set below.
    for (int i = 0; i < 20; ++i) TRBob::Move();
    SetX(x);
    SetY(y);
    SetZ(z);
    SetVisible(true);
    Bob(2)->Visible = false;
}

void TSchuss::Step() {
    AnimateBobs();
    if (!Visible) return;
    // Without transparency the condom would hide nothing; once it has
    // unrolled, only the condom is left to be seen.
    if (!Transparency && CaughtIndex != -1 && Bob(2)->Visible && Bob(2)->GO == goKondom_) {
        if (TSperm* caught = world_.Spermien->Item(CaughtIndex)) caught->Bob(1)->Visible = false;
        CaughtIndex = -1;
    }
    if (X < -800 || X > 800) {
        SetVisible(false);
        return;
    }
    if (!Bob(1)->Visible) return;
    if (Torpedo && RandFloat() < 0.8) world_.Bubbles->Emit(6, X + 100, Y, Z);
    CaughtIndex = world_.Spermien->FindSperm(X - HitReach, Y - HalfHeight, X, Y + HalfHeight);
    if (CaughtIndex != -1) Hit(CaughtIndex);
}

void TSchuss::Hit(std::int32_t i) {
    TSpermien& swarm = *world_.Spermien;
    TSperm* enemy = swarm.Item(i);
    const std::int32_t kind = enemy->Kind;
    if (Torpedo) {
        enemy->Bubbleize();
        PlayAt("bubbleize", X, Z);
    } else {
        CatchWithCondom(*enemy);
    }
    swarm.MarkCaught(i);
    world_.Bubblpoints->Score(enemy->HitValue, X, Y, Z - 2);
    if (X < FarHitX) {
        world_.Bubblpoints->Score(FarHitBonus, X, Y + 10, Z - 2);
        ++swarm.Stats[KindStat(TKindStat::FarHits, kind)];
    } else {
        ++swarm.Stats[KindStat(TKindStat::NearHits, kind)];
    }
}

// The condom unrolls over the enemy's head and moves along with it.
void TSchuss::CatchWithCondom(TSperm& enemy) {
    Bob(1)->Visible = false;
    TBob* condom = Bob(2);
    condom->Visible = true;
    condom->SetAnimationOf(goAbroll_, 0);
    condom->SetNextAnimation(goKondom_, 0);
    SetX(enemy.X + enemy.Bob(1)->Width / 2 - 120);
    SetY(enemy.Y);
    SetZ(enemy.Z + 1);
    ThrustX = enemy.ThrustX;
    ThrustY = enemy.ThrustY;
    ThrustZ = enemy.ThrustZ;
    VelocityX = enemy.VelocityX;
    VelocityY = enemy.VelocityY;
    VelocityZ = enemy.VelocityZ;
    if (enemy.Kind == 1)
        PlayPanned(abroll_, X, Z);
    else if (enemy.Kind >= 2 && enemy.Kind <= KindCount)
        PlayAt(CatchSounds[enemy.Kind], X, Z);
}
