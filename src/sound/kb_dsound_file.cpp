// One sound of the engine. Device results go through DSCheck; a lost buffer
// marks the sound Lost, and CheckLost/Restore refill it from its file. Sounds
// too big for a static buffer play from their files.
#include "kb_dsound_file.h"

#include <fstream>
#include <stdexcept>
#include <vector>

#include "ansi_case.h"
#include "ds_result.h"
#include "infra/log.h"
#include "infra/paths.h"
#include "kb_dsound.h"
#include "wave_reader.h"
#include "wave_stream.h"

namespace {

TkbDSound& GlobalEngine() {
    if (!DSound) throw std::logic_error("No sound engine");
    return *DSound;
}

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TkbDSoundFile::TkbDSoundFile(Key, TkbDSound& owner) : owner_(owner) {}

TkbDSoundFile::~TkbDSoundFile() {
    // A buffer exists only when the engine's device does.
    if (buffer_) owner_.Device().ReleaseBuffer(buffer_);
}

TkbDSoundFile& TkbDSoundFile::Create(const std::string& path, bool isStatic) {
    TkbDSound& owner = GlobalEngine();
    auto sound = std::make_unique<TkbDSoundFile>(Key{}, owner);
    sound->name_ = AnsiLowerCase(BaseName(path));
    sound->fileName_ = path + ".wav";
    sound->disabled_ = !owner.SoundOn() || owner.Failed();
    if (!sound->disabled_) {
        try {
            sound->Load(isStatic);
        } catch (const std::exception& e) {
            sound->buffer_.reset();
            sound->disabled_ = true;
            if (dynamic_cast<const EWaveChunkBeyondEnd*>(&e))
                WriteLog("Sound " + sound->fileName_ + " not loaded: " + e.what());
        }
    }
    return owner.Adopt(std::move(sound));
}

void TkbDSoundFile::Load(bool isStatic) {
    const std::string path = ResolvePath(fileName_);
    std::ifstream file(path, std::ios::binary);
    TWaveFormatEx format{};
    std::uint64_t dataOffset = 0;
    ReadWaveFormat(file, dataSize_, dataOffset, format);
    file.close();
    std::shared_ptr<TMixBuffer> buffer;
    if (!isStatic) {
        // A long sound (the music) plays from its file instead of lying in
        // memory for the whole game.
        auto stream = std::make_shared<const TWaveStream>(path, format, dataOffset, dataSize_);
        DSCheck(owner_.Device().CreateStreamBuffer(format, dataSize_, std::move(stream), buffer));
        buffer_ = buffer;
        return;
    }
    DSCheck(owner_.Device().CreateSoundBuffer(format, dataSize_, isStatic, buffer));
    buffer_ = buffer;
    Fill();
    if (lost_) throw EDirectXBufferLostError();
}

TkbDSoundFile& TkbDSoundFile::CreateDuplicate(const TkbDSoundFile& source) {
    TkbDSound& owner = source.owner_;
    auto sound = std::make_unique<TkbDSoundFile>(Key{}, owner);
    sound->fileName_ = source.fileName_;
    sound->dataSize_ = source.dataSize_;
    sound->disabled_ = source.disabled_;
    if (!sound->disabled_) {
        try {
            std::shared_ptr<TMixBuffer> duplicate;
            DSCheck(owner.Device().DuplicateSoundBuffer(source.buffer_, duplicate));
            sound->buffer_ = duplicate;
        } catch (const std::exception&) {
            sound->disabled_ = true;
        }
    }
    return owner.Adopt(std::move(sound));
}

void TkbDSoundFile::Free() {
    owner_.Release(*this);
}

void TkbDSoundFile::Play() {
    if (disabled_ || CheckLost()) return;
    try {
        DSCheck(buffer_->Stop());
        DSCheck(buffer_->SetCurrentPosition(0));
        DSCheck(buffer_->Play(Looping));
        loopPlaying_ = Looping;
    } catch (const EDirectXBufferLostError&) {
        lost_ = true;
        return;
    }
    // Duplicates have no name; a recording still wants to know what played.
    if (IAudioOutput* output = owner_.Output())
        output->SoundStarted(
            name_.empty() ? AnsiLowerCase(BaseName(fileName_.substr(0, fileName_.size() - 4))) : name_,
            Looping);
}

void TkbDSoundFile::Stop() {
    loopPlaying_ = false;
    if (disabled_) return;
    DSCheck(buffer_->Stop());
}

void TkbDSoundFile::SetPan(std::int32_t pan) {
    if (!disabled_) DSCheck(buffer_->SetPan(pan));
}

void TkbDSoundFile::SetVolume(std::int32_t volume) {
    if (!disabled_) DSCheck(buffer_->SetVolume(volume));
}

void TkbDSoundFile::SetPosition(std::uint32_t bytes) {
    if (!disabled_) DSCheck(buffer_->SetCurrentPosition(bytes));
}

bool TkbDSoundFile::StatusSaysLost() {
    std::uint32_t status = 0;
    DSCheck(buffer_->GetStatus(status));
    return (status & DSBSTATUS_BUFFERLOST) != 0;
}

bool TkbDSoundFile::CheckLost() {
    if (disabled_) return false;
    if (lost_ || StatusSaysLost()) Restore();
    return lost_;
}

bool TkbDSoundFile::Restore() {
    lost_ = false;
    if (disabled_ || !StatusSaysLost()) return true;
    if (buffer_->Restore() != DS_OK) {
        lost_ = true;
        return false;
    }
    Fill();
    if (!lost_ && loopPlaying_ && Looping) {
        try {
            DSCheck(buffer_->Play(true));
        } catch (const EDirectXBufferLostError&) {
            lost_ = true;
        }
    }
    return !lost_;
}

void TkbDSoundFile::Fill() {
    // A sound that plays from its file has nothing in memory to fill.
    if (!buffer_ || buffer_->Streams()) return;
    TWaveFormatEx format{};
    std::vector<std::uint8_t> bytes(dataSize_);
    std::size_t capacity = bytes.size();
    if (bytes.empty()) return;
    ReadWaveData(fileName_, format, bytes, capacity);
    try {
        DSCheck(buffer_->Write(std::span(bytes.data(), capacity)));
    } catch (const EDirectXBufferLostError&) {
        lost_ = true;
    }
}
