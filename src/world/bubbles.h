// The rising bubbles: a fixed pool of glassy particles that trail enemies and
// torpedoes and now and then rise from the bottom edge by themselves.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/rbob.h"

constexpr int MaxBubbles = 300;

class TBubble : public TRBob {
public:
    // Hidden at (0, 0, -800), at rest, showing the largest picture.
    TBubble();
    // Shows a bubble of size minSize..8 at the place, pulled right and up.
    void Show(std::int32_t minSize, float x, float y, float z);
    // After the motion step: animation, bursting, the spontaneous rise.
    void Step();
};

class TBubbles {
public:
    TBubbles() = default;
    // Adds one bubble, unless the player turned bubbles off.
    void AddBubble();
    // Shows the first hidden bubble, with the player's bubble amount as chance.
    void Emit(std::int32_t minSize, float x, float y, float z);
    void Move();
    void HideAll();

    // Bubble n (1-based).
    TBubble* Item(int n) { return Items[static_cast<std::size_t>(n - 1)].get(); }

    std::array<std::unique_ptr<TBubble>, MaxBubbles> Items{};
    int Count = 0;
};
