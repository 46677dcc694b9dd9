// A sound buffer of the mixer. Every call takes the mixer's lock, because the
// output thread mixes the same voices.
#include "mix_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "audio_output.h"
#include "mixer.h"
#include "pcm_convert.h"

namespace {

// Gain of an attenuation in hundredths of a decibel, 16.16 fixed point.
// DirectSound treats -100 dB as silence, so the mixer does too.
std::int32_t GainOf(std::int32_t attenuation) {
    if (attenuation <= DSBVOLUME_MIN) return 0;
    return static_cast<std::int32_t>(std::lround(std::pow(10.0, attenuation / 2000.0) * 65536.0));
}

}  // namespace

TMixBuffer::TMixBuffer(TMixer& owner, const TWaveFormatEx& format, std::uint32_t sizeBytes, bool isStatic,
                       std::shared_ptr<std::vector<std::int16_t>> samples)
    : owner_(owner),
      format_(format),
      sizeBytes_(sizeBytes),
      static_(isStatic),
      samples_(std::move(samples)),
      frames_(samples_->size() / 2) {}

HRESULT TMixBuffer::Play(bool looping) {
    std::lock_guard lock(owner_.mutex_);
    if (lost_) return DSERR_BUFFERLOST;
    playing_ = true;
    looping_ = looping;
    return DS_OK;
}

HRESULT TMixBuffer::Stop() {
    std::lock_guard lock(owner_.mutex_);
    playing_ = false;
    return DS_OK;
}

HRESULT TMixBuffer::SetCurrentPosition(std::uint32_t bytes) {
    std::lock_guard lock(owner_.mutex_);
    if (bytes >= sizeBytes_) return DSERR_INVALIDPARAM;
    const std::uint64_t srcFrame = bytes / format_.nBlockAlign;
    pos_ = std::min<std::size_t>(srcFrame * MixRate / format_.nSamplesPerSec, frames_ - 1);
    return DS_OK;
}

HRESULT TMixBuffer::GetCurrentPosition(std::uint32_t& bytes) {
    std::lock_guard lock(owner_.mutex_);
    const std::uint64_t srcFrame = static_cast<std::uint64_t>(pos_) * format_.nSamplesPerSec / MixRate;
    bytes = static_cast<std::uint32_t>(std::min<std::uint64_t>(srcFrame * format_.nBlockAlign, sizeBytes_));
    return DS_OK;
}

HRESULT TMixBuffer::SetLevel(std::int32_t& field, std::int32_t value, std::int32_t low, std::int32_t high) {
    if (value < low || value > high) return DSERR_INVALIDPARAM;
    std::lock_guard lock(owner_.mutex_);
    field = value;
    UpdateGains();
    return DS_OK;
}

HRESULT TMixBuffer::SetPan(std::int32_t pan) {
    return SetLevel(pan_, pan, DSBPAN_LEFT, DSBPAN_RIGHT);
}

HRESULT TMixBuffer::SetVolume(std::int32_t volume) {
    return SetLevel(volume_, volume, DSBVOLUME_MIN, DSBVOLUME_MAX);
}

HRESULT TMixBuffer::GetPan(std::int32_t& pan) {
    std::lock_guard lock(owner_.mutex_);
    pan = pan_;
    return DS_OK;
}

HRESULT TMixBuffer::GetVolume(std::int32_t& volume) {
    std::lock_guard lock(owner_.mutex_);
    volume = volume_;
    return DS_OK;
}

HRESULT TMixBuffer::GetStatus(std::uint32_t& status) {
    owner_.PollDevice();
    std::lock_guard lock(owner_.mutex_);
    status = 0;
    if (playing_) status |= DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0);
    if (lost_) status |= DSBSTATUS_BUFFERLOST;
    return DS_OK;
}

HRESULT TMixBuffer::Restore() {
    {
        std::lock_guard lock(owner_.mutex_);
        if (!lost_) return DS_OK;
    }
    if (!owner_.RestoreDevice()) return DSERR_BUFFERLOST;
    std::lock_guard lock(owner_.mutex_);
    lost_ = false;
    return DS_OK;
}

HRESULT TMixBuffer::Write(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > sizeBytes_) return DSERR_INVALIDPARAM;
    const std::size_t srcFrames = bytes.size() / format_.nBlockAlign;
    const std::size_t outFrames = std::min(MixFramesFor(srcFrames, format_.nSamplesPerSec), frames_);
    std::vector<std::int16_t> converted(outFrames * 2);
    ConvertToMix(bytes.data(), srcFrames, format_, converted.data(), outFrames);
    std::lock_guard lock(owner_.mutex_);
    if (lost_) return DSERR_BUFFERLOST;
    if (!converted.empty())
        std::memcpy(samples_->data(), converted.data(), converted.size() * sizeof(std::int16_t));
    return DS_OK;
}

void TMixBuffer::MixInto(std::int32_t* acc, std::size_t frames) {
    if (!playing_ || lost_ || frames_ == 0) return;
    const std::int16_t* data = samples_->data();
    const std::int32_t gl = gainLeft_;
    const std::int32_t gr = gainRight_;
    std::size_t done = 0;
    while (done < frames && playing_) {
        const std::size_t n = std::min(frames - done, frames_ - pos_);
        const std::int16_t* src = data + 2 * pos_;
        std::int32_t* dst = acc + 2 * done;
        for (std::size_t i = 0; i < n; ++i) {
            dst[2 * i] += (src[2 * i] * gl) >> 16;
            dst[2 * i + 1] += (src[2 * i + 1] * gr) >> 16;
        }
        done += n;
        pos_ += n;
        if (pos_ == frames_) {
            pos_ = 0;
            playing_ = looping_;
        }
    }
}

void TMixBuffer::MarkLost() {
    // Like a device that took the memory away: silence until refilled.
    lost_ = true;
    playing_ = false;
    std::fill(samples_->begin(), samples_->end(), 0);
}

void TMixBuffer::UpdateGains() {
    gainLeft_ = GainOf(volume_ - std::max(pan_, 0));
    gainRight_ = GainOf(volume_ + std::min(pan_, 0));
}
