// Sounds by name through the sound engine in force.
#include "hud/sound_cues.h"

#include "sound/kb_dsound.h"

void PlayWave(std::string_view name) {
    if (DSound) DSound->FindWave(name).Play();
}

void StopWave(std::string_view name) {
    if (DSound) DSound->FindWave(name).Stop();
}
