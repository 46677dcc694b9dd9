// The seedable generator every random choice of the program goes through.
#include "random.h"

#include "clock.h"

std::uint32_t RandSeed = 0;

namespace {
std::uint32_t NextSeed() {
    RandSeed = RandSeed * 134775813u + 1u;
    return RandSeed;
}
}  // namespace

void Randomize(IClock& clock) {
    RandSeed = clock.TickCount();
}

std::uint32_t RandInt(std::uint32_t range) {
    const std::uint64_t seed = NextSeed();
    return static_cast<std::uint32_t>((seed * range) >> 32);
}

double RandFloat() {
    return NextSeed() * (1.0 / 4294967296.0);
}
