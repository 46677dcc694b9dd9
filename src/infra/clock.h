// The source of time: a 32-bit millisecond tick. The program runs on the
// system clock; tests and replays hand a ManualClock to what they build.
#pragma once

#include <cstdint>

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since some start; wraps after 2^32 and never goes back.
    virtual std::uint32_t TickCount() = 0;
    // Blocks the calling thread for about ms milliseconds.
    virtual void Sleep(std::uint32_t ms) = 0;
};

// The system's monotonic clock.
IClock& SystemClock();

// A clock for tests and replays: time moves only when told, or by a fixed
// step on every reading.
class ManualClock : public IClock {
public:
    explicit ManualClock(std::uint32_t start = 0, std::uint32_t stepPerRead = 0)
        : now_(start), step_(stepPerRead) {}
    std::uint32_t TickCount() override {
        const std::uint32_t t = now_;
        now_ += step_;
        return t;
    }
    void Sleep(std::uint32_t ms) override { now_ += ms; }
    void Advance(std::uint32_t ms) { now_ += ms; }
    void Set(std::uint32_t now) { now_ = now; }

private:
    std::uint32_t now_;
    std::uint32_t step_;
};
