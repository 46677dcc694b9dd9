// Chance for the online services (record permutations, message ids), kept
// apart from the game's seeded generator so that publishing a score or
// sending a report never shifts the sequence a game replays from.
#pragma once

#include <cstdint>
#include <random>

class IRandomSource {
public:
    virtual ~IRandomSource() = default;
    // A uniformly random integer in [0, range); range must be at least 1.
    virtual std::uint32_t Below(std::uint32_t range) = 0;
};

// A Mersenne twister: seeded from the system's entropy by default, or from a
// fixed seed where a run must repeat (tests).
class TOnlineRandom : public IRandomSource {
public:
    TOnlineRandom();
    explicit TOnlineRandom(std::uint64_t seed);
    std::uint32_t Below(std::uint32_t range) override;

private:
    std::mt19937_64 engine_;
};
