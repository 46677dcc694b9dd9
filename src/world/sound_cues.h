// The sound effects of the world and the displays: a loaded sound found by
// name, panned to where the event happened, and played or stopped.
#pragma once

#include <string_view>

class TkbDSoundFile;

// The loaded sound of that name; raises the sound engine's lookup error when
// it is not loaded. Null when there is no sound engine at all (as for the
// displays, a screen without one stays silent).
TkbDSoundFile* WorldSound(std::string_view name);
// Pans the sound to the world position (x, z) and plays it; nothing for null.
void PlayPanned(TkbDSoundFile* sound, float x, float z);
void PlayAt(std::string_view name, float x, float z);
// Plays from its start, without panning; raises when it is not loaded.
// Without a sound engine nothing sounds.
void PlayWave(std::string_view name);
void StopWave(std::string_view name);
