// Playing and stopping the game's sounds by name from the displays and the
// world objects.
#pragma once

#include <string_view>

// Plays the sound of that name from its start; raises when it is not loaded.
// Without a sound engine (a screen that has none) nothing sounds.
void PlayWave(std::string_view name);
void StopWave(std::string_view name);
