// The text scrambler of SPS/env.dat and the level files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The seed of the filler characters' own generator: saving env.dat in the
// middle of a visit to the game screen must not shift the game's chance.
extern std::uint32_t FillerSeed;

// Letters and digits through fixed permutations; every other byte unchanged.
char ScrambleChar(char c);
char UnscrambleChar(char c);
// One of "A".."Y", "a".."y", "0".."8", drawn from the filler's generator.
char RandomFillChar();

// Each byte becomes five filler bytes and then its scrambled image.
std::string ScrambleText(std::string_view plain);
// Takes every sixth byte (the 6th, 12th, ...) and unscrambles it.
std::string UnscrambleText(std::string_view scrambled);
