// The recording audio output.
#include "recording_audio_output.h"

bool RecordingAudioOutput::Open(IAudioSource& source) {
    ++openCount;
    if (refuseOpen) return false;
    source_ = &source;
    lost_ = false;
    return true;
}

void RecordingAudioOutput::SoundStarted(std::string_view name, bool looping) {
    starts.push_back({clock_.TickCount(), std::string(name), looping});
}

std::vector<std::int16_t> RecordingAudioOutput::Render(std::size_t frames) {
    std::vector<std::int16_t> out(frames * MixChannels, 0);
    if (source_ && frames > 0) source_->Mix(out.data(), frames);
    return out;
}
