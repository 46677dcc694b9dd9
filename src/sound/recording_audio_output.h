// An audio output without a device, for tests and the headless runner: it
// records which sounds started when (on the clock it was given), renders the mix
// on request, and can pretend that the device was lost or will not open.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "audio_output.h"
#include "infra/clock.h"

class RecordingAudioOutput : public IAudioOutput {
public:
    struct TStart {
        std::uint32_t tick;
        std::string name;
        bool looping;
    };

    explicit RecordingAudioOutput(IClock& clock = SystemClock()) : clock_(clock) {}

    bool Open(IAudioSource& source) override;
    void Close() override { source_ = nullptr; }
    bool DeviceLost() override { return lost_; }
    void SoundStarted(std::string_view name, bool looping) override;

    // frames stereo frames of the mix (silence while closed).
    std::vector<std::int16_t> Render(std::size_t frames);
    // The next DeviceLost answers true, until the device is opened again.
    void LoseDevice() { lost_ = true; }
    bool IsOpen() const { return source_ != nullptr; }

    // Open fails while this is set (a machine without a sound card).
    bool refuseOpen = false;
    int openCount = 0;
    std::vector<TStart> starts;

private:
    IClock& clock_;
    IAudioSource* source_ = nullptr;
    bool lost_ = false;
};
