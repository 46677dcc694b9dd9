// Turns elapsed milliseconds into 20 ms game steps, at most five per frame.
#pragma once

#include <algorithm>
#include <cstdint>

constexpr std::int32_t FramePeriod = 20;
constexpr std::int32_t MaxStepsPerFrame = 5;

struct FrameTimer {
    std::uint32_t LastTick = 0;
    std::int32_t Accumulated = 0;
    std::int32_t Steps = 0;

    void Start(std::uint32_t now) {
        LastTick = now;
        Accumulated = 0;
        Steps = 0;
    }
    // Steps due now. Time beyond five steps is dropped, so after a stall the
    // game runs slower rather than jumping ahead.
    std::int32_t Poll(std::uint32_t now) {
        Accumulated += static_cast<std::int32_t>(now - LastTick);
        LastTick = now;
        Steps = std::min(Accumulated / FramePeriod, MaxStepsPerFrame);
        if (Steps > 0) Accumulated %= FramePeriod;
        return Steps;
    }
    // Milliseconds until the next step falls due.
    std::uint32_t MsToNextStep() const {
        return Accumulated >= FramePeriod ? 0u : static_cast<std::uint32_t>(FramePeriod - Accumulated);
    }
};
