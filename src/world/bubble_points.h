// The floating numbers that show each change of the score; scoring through
// them is how the world adds points.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/rbob.h"

class TWorld;

constexpr int MaxBubblepoints = 100;

// The picture of the "points" sheet that shows a value: 0..24 are -250..-10,
// 25..49 are +10..+250, 50 is 500; anything else falls back to 25.
std::uint16_t PointsPicture(std::int32_t value);

class TBubblepoint : public TRBob {
public:
    TBubblepoint();
    void Show(std::int32_t value, float x, float y, float z);
    // After the motion step: counts down its life and fades over the last 15 steps.
    void Step();

    std::int32_t Life = 0;
};

class TBubblpoints {
public:
    explicit TBubblpoints(TWorld& world) : world_(world) {}
    void AddBubblepoint();
    // Adds value to the score at once and lets it float up from the place
    // (the score changes even when every bubble point is in use).
    void Score(std::int32_t value, float x, float y, float z);
    void Move();

    TBubblepoint* Item(int n) { return Items[static_cast<std::size_t>(n - 1)].get(); }

    std::array<std::unique_ptr<TBubblepoint>, MaxBubblepoints> Items{};
    int Count = 0;

private:
    TWorld& world_;
};
