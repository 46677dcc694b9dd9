// The seedable generator every random choice of the program goes through.
#include "random.h"

#include "clock.h"

std::uint32_t RandSeed = 0;

namespace {
std::uint32_t NextSeed(std::uint32_t& seed) {
    seed = seed * 134775813u + 1u;
    return seed;
}
}  // namespace

void Randomize(IClock& clock) {
    RandSeed = clock.TickCount();
}

std::uint32_t RandIntFrom(std::uint32_t& seed, std::uint32_t range) {
    const std::uint64_t next = NextSeed(seed);
    return static_cast<std::uint32_t>((next * range) >> 32);
}

std::uint32_t RandInt(std::uint32_t range) {
    return RandIntFrom(RandSeed, range);
}

double RandFloat() {
    return NextSeed(RandSeed) * (1.0 / 4294967296.0);
}
