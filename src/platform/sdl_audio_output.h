// The SDL2 audio device behind the sound engine: the default device at
// 44100 Hz, 16-bit stereo, pulling from the mixer on SDL's audio thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "sound/audio_output.h"

class SdlAudioOutput : public IAudioOutput {
public:
    SdlAudioOutput() = default;
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    bool Open(IAudioSource& source) override;
    void Close() override;
    bool DeviceLost() override;

    // The event loop passes on SDL_AUDIODEVICEREMOVED with the device id.
    void NotifyDeviceRemoved(std::uint32_t deviceId);

private:
    std::uint32_t device_ = 0;
    bool subsystem_ = false;
    std::atomic<bool> removed_{false};
    IAudioSource* source_ = nullptr;
};

std::unique_ptr<IAudioOutput> CreateSdlAudioOutput();
