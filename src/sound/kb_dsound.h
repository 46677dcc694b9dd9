// The sound engine: the device (our mixer on an audio output) and every
// loaded sound and duplicate. One global instance while the game screen lives.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "audio_output.h"
#include "kb_dsound_file.h"
#include "mixer.h"

class TkbDSound {
public:
    // Opens the output when soundOn or soundOption is set; any failure leaves
    // the engine Failed and every sound silent. The mixer takes only 44100 Hz,
    // 16 bits, 2 channels. output may be null (no sound device at all).
    TkbDSound(std::unique_ptr<IAudioOutput> output, bool soundOn, bool soundOption, int rate = MixRate,
              int bits = MixBits, int channels = MixChannels);
    // Frees every sound still in the list, then closes the device.
    ~TkbDSound();
    TkbDSound(const TkbDSound&) = delete;
    TkbDSound& operator=(const TkbDSound&) = delete;

    // Loads every *.wav of folder, logging each.
    void LoadWaves(const std::string& folder);
    // The most recently created sound with this name (case ignored); raises
    // std::runtime_error "Cannot find Wave: <name>".
    TkbDSoundFile& FindWave(std::string_view name);
    void SetVolumeAll(std::int32_t volume);
    // Restores every sound, last first; false at the first that stays lost.
    bool RestoreAll();

    bool Failed() const { return failed_; }
    bool SoundOn() const { return soundOn_; }
    bool SoundOption() const { return soundOption_; }
    const std::vector<std::unique_ptr<TkbDSoundFile>>& Sounds() const { return sounds_; }

    // Used by TkbDSoundFile: the device, the output, and the list.
    TMixer& Device() { return *mixer_; }
    IAudioOutput* Output() { return output_.get(); }
    TkbDSoundFile& Adopt(std::unique_ptr<TkbDSoundFile> sound);
    void Release(TkbDSoundFile& sound);

private:
    void OpenDevice(int rate, int bits, int channels);

    std::unique_ptr<IAudioOutput> output_;
    std::unique_ptr<TMixer> mixer_;
    std::vector<std::unique_ptr<TkbDSoundFile>> sounds_;
    bool failed_ = true;
    bool soundOn_;
    bool soundOption_;
};

// The engine in force (set by its constructor, cleared by its destructor).
extern TkbDSound* DSound;
