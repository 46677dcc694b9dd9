// The one source of chance: a seedable 32-bit linear congruential generator.
#pragma once

#include <cstdint>

class IClock;

// seed := seed * 134775813 + 1 (mod 2^32), then a draw from the new seed.
extern std::uint32_t RandSeed;

// Seeds from the clock's millisecond tick.
void Randomize(IClock& clock);
// An integer in [0, range): the high 32 bits of seed * range. 0 for range 0.
std::uint32_t RandInt(std::uint32_t range);
// A float in [0, 1): seed / 2^32.
double RandFloat();
// RandInt's draw from a generator whose seed lives elsewhere, for chance that
// must not shift the game's (a replay holds only the game's seed).
std::uint32_t RandIntFrom(std::uint32_t& seed, std::uint32_t range);
