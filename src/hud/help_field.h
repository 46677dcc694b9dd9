// The help line at the bottom of the screen: a queue of texts, each faded in,
// held and faded out over 500 steps.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/rbob.h"

constexpr int MaxHelpTexts = 20;

class Thelpfeld : public TRBob {
public:
    Thelpfeld();
    // Queues a text; a full queue drops it.
    void AddText(std::string_view text);
    void SetDelay(std::int32_t steps);
    // Empties the queue and hides the line.
    void Clear();
    void ShowText(std::string_view text);
    void Step();

    std::int32_t Phase = 0;
    std::array<std::string, MaxHelpTexts> Texts{};
    std::int32_t TextCount = 0;
    std::int32_t Delay = 0;
};
