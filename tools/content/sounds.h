// The sound effects and the music pieces, each under the name the game asks for.
#pragma once

#include <string>
#include <vector>

#include "synth.h"

struct NamedSound {
    std::string name;  // the file name without extension
    Audio audio;
};

// Every effect, as 44100 Hz 16-bit WAV material.
std::vector<NamedSound> MakeEffects();
// "Track 30" (title loop), "back" (play music) and "Tr_36_03" (jingle).
std::vector<NamedSound> MakeMusic();
