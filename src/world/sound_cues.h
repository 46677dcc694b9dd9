// The world's sound effects: a loaded sound found by name, panned to where
// the event happened, and played.
#pragma once

#include <string_view>

class TkbDSoundFile;

// Raises the lookup error of the sound engine when the name is not loaded.
TkbDSoundFile& WorldSound(std::string_view name);
// Pans the sound to the world position (x, z) and plays it.
void PlayPanned(TkbDSoundFile& sound, float x, float z);
void PlayAt(std::string_view name, float x, float z);
