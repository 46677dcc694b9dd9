// The sound engine: device set-up, loading the snd folder, lookups by name.
#include "kb_dsound.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "ansi_case.h"
#include "ds_result.h"
#include "infra/log.h"
#include "infra/paths.h"

TkbDSound* DSound = nullptr;

namespace {
// Sounds below this size get static buffers.
constexpr std::uintmax_t StaticSoundLimit = 500000;
}  // namespace

TkbDSound::TkbDSound(std::unique_ptr<IAudioOutput> output, bool soundOn, bool soundOption, int rate, int bits,
                     int channels)
    : output_(std::move(output)), soundOn_(soundOn), soundOption_(soundOption) {
    DSound = this;
    if (!soundOn_ && !soundOption_) return;
    try {
        OpenDevice(rate, bits, channels);
        failed_ = false;
    } catch (const std::exception&) {
        // No device: the game runs on with every sound silent.
    }
}

void TkbDSound::OpenDevice(int rate, int bits, int channels) {
    if (!output_) {
        soundOn_ = false;
        soundOption_ = false;
        throw std::runtime_error("Directsound is not properly installed! Cannot play any sound.");
    }
    mixer_ = std::make_unique<TMixer>(*output_);
    if (rate != MixRate || bits != MixBits || channels != MixChannels) DSCheck(DSERR_BADFORMAT);
    DSCheck(mixer_->Open());
}

TkbDSound::~TkbDSound() {
    while (!sounds_.empty()) sounds_.pop_back();
    if (mixer_) mixer_->Close();
    mixer_.reset();
    if (DSound == this) DSound = nullptr;
}

void TkbDSound::LoadWaves(const std::string& folder) {
    const std::string dir = ResolvePath(folder);
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && AnsiEndsWithIgnoringCase(name, ".wav")) names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const auto& a, const auto& b) { return AnsiLessIgnoringCase(a, b); });
    for (const auto& name : names) {
        const std::string path = folder + "/" + name;
        const std::uintmax_t size = std::filesystem::file_size(dir + "/" + name, ec);
        WriteLog("Loading Sound " + path + " (" + std::to_string(ec ? 0 : size) + " bytes)");
        TkbDSoundFile::Create(path.substr(0, path.size() - 4), !ec && size < StaticSoundLimit);
        WriteLog("Loaded");
    }
}

TkbDSoundFile& TkbDSound::FindWave(std::string_view name) {
    const std::string wanted = AnsiLowerCase(name);
    for (auto it = sounds_.rbegin(); it != sounds_.rend(); ++it)
        if ((*it)->Name() == wanted) return **it;
    throw std::runtime_error("Cannot find Wave: " + std::string(name));
}

void TkbDSound::SetVolumeAll(std::int32_t volume) {
    for (auto it = sounds_.rbegin(); it != sounds_.rend(); ++it) (*it)->SetVolume(volume);
}

bool TkbDSound::RestoreAll() {
    for (auto it = sounds_.rbegin(); it != sounds_.rend(); ++it)
        if (!(*it)->Restore()) return false;
    return true;
}

TkbDSoundFile& TkbDSound::Adopt(std::unique_ptr<TkbDSoundFile> sound) {
    sounds_.push_back(std::move(sound));
    return *sounds_.back();
}

void TkbDSound::Release(TkbDSoundFile& sound) {
    const auto it =
        std::find_if(sounds_.begin(), sounds_.end(), [&](const auto& s) { return s.get() == &sound; });
    if (it != sounds_.end()) sounds_.erase(it);
}
