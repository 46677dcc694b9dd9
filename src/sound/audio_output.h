// The sound device as the mixer sees it: a 44100 Hz, 16-bit stereo stream that
// pulls its samples from the mixer. Implemented by the platform (SDL) and by a
// recording output for tests and the headless runner.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

constexpr int MixRate = 44100;
constexpr int MixChannels = 2;
constexpr int MixBits = 16;

// What the output pulls from; Mix may be called on the output's own thread.
class IAudioSource {
public:
    virtual ~IAudioSource() = default;
    // Fills frames stereo frames (left, right interleaved) at MixRate.
    virtual void Mix(std::int16_t* stereo, std::size_t frames) = 0;
};

class IAudioOutput {
public:
    virtual ~IAudioOutput() = default;
    // Opens the device and starts pulling from source; false when there is no
    // usable device (the engine then stays silent).
    virtual bool Open(IAudioSource& source) = 0;
    // Stops pulling; after it returns, Mix is no longer called.
    virtual void Close() = 0;
    // True once the opened device has gone away (unplugged, taken by the
    // system); the engine then marks its buffers lost and opens it again.
    virtual bool DeviceLost() = 0;
    // Told when a sound starts, for recordings; a real device ignores it.
    virtual void SoundStarted(std::string_view /*name*/, bool /*looping*/) {}
};
