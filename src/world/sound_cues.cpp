// Sound effects through the global sound engine.
#include "world/sound_cues.h"

#include "sound/kb_dsound.h"
#include "sound/sound_levels.h"

TkbDSoundFile* WorldSound(std::string_view name) {
    return DSound ? &DSound->FindWave(name) : nullptr;
}

void PlayPanned(TkbDSoundFile* sound, float x, float z) {
    if (!sound) return;
    sound->SetPan(ScreenPan(x, z));
    sound->Play();
}

void PlayAt(std::string_view name, float x, float z) {
    PlayPanned(WorldSound(name), x, z);
}

void PlayWave(std::string_view name) {
    if (TkbDSoundFile* sound = WorldSound(name)) sound->Play();
}

void StopWave(std::string_view name) {
    if (TkbDSoundFile* sound = WorldSound(name)) sound->Stop();
}
