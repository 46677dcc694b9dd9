// Sounds by name for the game states.
#include "game/game_sounds.h"

#include <stdexcept>

#include "sound/ansi_case.h"
#include "sound/kb_dsound.h"

namespace {

class TEngineAniSound : public IAniSound {
public:
    explicit TEngineAniSound(TkbDSoundFile& sound) : sound_(sound) {}
    void Play() override { sound_.Play(); }

private:
    TkbDSoundFile& sound_;
};

std::string BaseName(const std::string& fileName) {
    std::string name = fileName;
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    if (AnsiEndsWithIgnoringCase(name, ".wav")) name.resize(name.size() - 4);
    return name;
}

}  // namespace

std::shared_ptr<IAniSound> FindAniSound(const std::string& fileName) {
    if (!DSound) return nullptr;
    try {
        return std::make_shared<TEngineAniSound>(DSound->FindWave(BaseName(fileName)));
    } catch (const std::runtime_error&) {
        return nullptr;  // a slot without a sound stays silent
    }
}

void PlaySound(const char* name, bool looping) {
    TkbDSoundFile& sound = DSound->FindWave(name);
    sound.Looping = looping;
    sound.Play();
}

void StopSound(const char* name) {
    DSound->FindWave(name).Stop();
}
