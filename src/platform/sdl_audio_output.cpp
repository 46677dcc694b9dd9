// SDL2 audio output. A machine without a sound card fails to open here, and
// the engine then stays silent; the game runs on.
#include "sdl_audio_output.h"

#include <SDL.h>

namespace {

void SDLCALL PullFromMixer(void* userdata, Uint8* stream, int len) {
    auto* source = static_cast<IAudioSource*>(userdata);
    const auto frames = static_cast<std::size_t>(len) / (MixChannels * sizeof(std::int16_t));
    source->Mix(reinterpret_cast<std::int16_t*>(stream), frames);
}

}  // namespace

SdlAudioOutput::~SdlAudioOutput() {
    Close();
}

bool SdlAudioOutput::Open(IAudioSource& source) {
    Close();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // as the display: the program handles them
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    subsystem_ = true;
    SDL_AudioSpec want{};
    want.freq = MixRate;
    want.format = AUDIO_S16SYS;
    want.channels = MixChannels;
    want.samples = 1024;
    want.callback = PullFromMixer;
    want.userdata = &source;
    // No changes allowed: SDL converts to whatever the device really takes.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) {
        Close();
        return false;
    }
    source_ = &source;
    removed_ = false;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioOutput::Close() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    device_ = 0;
    source_ = nullptr;
    if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystem_ = false;
}

bool SdlAudioOutput::DeviceLost() {
    if (device_ == 0) return false;
    // A removed device stops on its own; the event only says so sooner.
    return removed_ || SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED;
}

void SdlAudioOutput::NotifyDeviceRemoved(std::uint32_t deviceId) {
    if (deviceId != 0 && deviceId == device_) removed_ = true;
}

std::unique_ptr<IAudioOutput> CreateSdlAudioOutput() {
    return std::make_unique<SdlAudioOutput>();
}
