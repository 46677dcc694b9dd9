// The text scrambler of SPS/env.dat and the level files.
#pragma once

#include <string>
#include <string_view>

// Letters and digits through fixed permutations; every other byte unchanged.
char ScrambleChar(char c);
char UnscrambleChar(char c);
// One of "A".."Y", "a".."y", "0".."8", drawn from the random source.
char RandomFillChar();

// Each byte becomes five filler bytes and then its scrambled image.
std::string ScrambleText(std::string_view plain);
// Takes every sixth byte (the 6th, 12th, ...) and unscrambles it.
std::string UnscrambleText(std::string_view scrambled);
