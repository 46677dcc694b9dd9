// The player's shots: condoms that unroll over their catch and ride along,
// torpedoes that dissolve what they meet and fly on.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/rbob.h"

class TkbDSound;
class TkbDSoundFile;
class TSperm;
class TWorld;

constexpr int MaxShots = 100;

// One shot. Bob 1 is the flying sprite, bob 2 the unrolling condom.
class TSchuss : public TRBob {
public:
    explicit TSchuss(TWorld& world);
    ~TSchuss() override;
    void Fire(float x, float y, float z);
    // One step after the motion step: animation, wrapping, leaving, hits.
    void Step();

    bool Torpedo = false;
    float HalfHeight = 0;
    std::int32_t CaughtIndex = -1;

private:
    void Hit(std::int32_t i);
    void CatchWithCondom(TSperm& enemy);
    TWorld& world_;
    std::int32_t goSchuss_, goTorpedo_, goAbroll_, goKondom_;
    TkbDSoundFile* abroll_ = nullptr;  // own duplicate, so several unrolls can sound at once
    TkbDSound* soundEngine_ = nullptr;
};

class TSchuesse {
public:
    explicit TSchuesse(TWorld& world) : world_(world) {}
    TSchuesse(const TSchuesse&) = delete;
    TSchuesse& operator=(const TSchuesse&) = delete;

    void AddSchuss();
    // Fires the lowest-numbered hidden shot; nothing when all are in flight.
    void Fire(float x, float y, float z);
    void Move();
    void HideAll();
    TSchuss* Item(std::int32_t i) { return Items[static_cast<std::size_t>(i - 1)].get(); }

    std::array<std::unique_ptr<TSchuss>, MaxShots> Items;
    std::int32_t Count = 0;

private:
    TWorld& world_;
};
