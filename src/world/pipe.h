// The pipe: the player's condom canon at the right edge, which follows the
// mouse row and fires one pending click per step.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/rbob.h"

class TWorld;

constexpr float PipeRestX = 420.0f;
constexpr std::int32_t CondomCost = 50;
constexpr std::int32_t TorpedoCost = 100;

class TRohr : public TRBob {
public:
    explicit TRohr(TWorld& world);
    // One step after the motion step: aim, then fire one pending click.
    void Step();

private:
    void FireOne();
    TWorld& world_;
};

class TRohre {
public:
    explicit TRohre(TWorld& world) : world_(world) {}
    TRohre(const TRohre&) = delete;
    TRohre& operator=(const TRohre&) = delete;

    void AddRohr();
    void Move();
    void Show();
    void Hide();
    // The pipe stays empty (after a defeat).
    void ShowEmpty();
    TRohr* Item(std::int32_t i) { return Items[static_cast<std::size_t>(i - 1)].get(); }

    std::array<std::unique_ptr<TRohr>, 1> Items;
    std::int32_t Count = 0;

private:
    TWorld& world_;
};
