// A sound buffer of the mixer. Every call takes the mixer's lock, because the
// output thread mixes the same voices. A streamed voice plays from frames the
// output thread read ahead of it; the game's calls only ever drop those.
#include "mix_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "audio_output.h"
#include "mixer.h"
#include "pcm_convert.h"

namespace {

// A streamed voice reads again when fewer than this many frames are left
// beyond the next mix.
constexpr std::size_t ReadAheadLow = 4096;

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

TMixBuffer::TMixBuffer(TMixer& owner, const TWaveFormatEx& format, std::uint32_t sizeBytes,
                       std::shared_ptr<const TWaveStream> stream)
    : owner_(owner),
      format_(format),
      sizeBytes_(sizeBytes),
      static_(false),
      stream_(std::move(stream)),
      readAhead_(std::make_unique<TFrameQueue>(StreamReadAheadFrames)),
      frames_(stream_->Frames()) {}

HRESULT TMixBuffer::Play(bool looping) {
    std::lock_guard lock(owner_.mutex_);
    if (lost_) return DSERR_BUFFERLOST;
    playing_ = true;
    looping_ = looping;
    Rewind();
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
    Rewind();
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
    if (stream_) return DSERR_INVALIDCALL;
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

void TMixBuffer::MixInto(std::int32_t* acc, std::size_t frames, std::vector<std::int16_t>& scratch) {
    if (!playing_ || lost_ || frames_ == 0) return;
    const std::int32_t gl = gainLeft_;
    const std::int32_t gr = gainRight_;
    std::size_t done = 0;
    while (done < frames && playing_) {
        const std::span<const std::int16_t> run = NextRun(std::min(frames - done, frames_ - pos_), scratch);
        const std::size_t n = run.size() / 2;
        std::int32_t* dst = acc + 2 * done;
        for (std::size_t i = 0; i < n; ++i) {
            dst[2 * i] += (run[2 * i] * gl) >> 16;
            dst[2 * i + 1] += (run[2 * i + 1] * gr) >> 16;
        }
        if (stream_) readAhead_->Pop(n);
        done += n;
        pos_ += n;
        if (pos_ == frames_) {
            pos_ = 0;
            playing_ = looping_;
        }
    }
}

std::span<const std::int16_t> TMixBuffer::NextRun(std::size_t frames, std::vector<std::int16_t>& scratch) {
    if (!stream_) return {samples_->data() + 2 * pos_, 2 * frames};
    if (readAhead_->Size() == 0) {
        // The game moved the voice after the output thread read ahead for it:
        // read here, under the lock, rather than play anything else, but only
        // what this mix needs; the read-ahead outside the lock does the rest.
        std::size_t next = 0;
        const std::size_t n = stream_->Read(feedPos_, frames, looping_, scratch.data(), next);
        TakeReadAhead(generation_, scratch.data(), n, next);
    }
    const std::span<const std::int16_t> front = readAhead_->Front();
    return front.first(std::min(front.size(), 2 * frames));
}

bool TMixBuffer::WantsReadAhead(std::size_t frames) const {
    if (!stream_ || !playing_ || lost_) return false;
    const bool fileDone = feedPos_ == frames_ && !looping_;
    return !fileDone && readAhead_->Size() < frames + ReadAheadLow;
}

TMixBuffer::TReadAhead TMixBuffer::ReadAheadOrder(const std::shared_ptr<TMixBuffer>& self) const {
    return {self, generation_, feedPos_, readAhead_->Room(), looping_};
}

void TMixBuffer::TakeReadAhead(std::uint64_t generation, const std::int16_t* stereo, std::size_t frames,
                               std::size_t next) {
    if (generation != generation_) return;
    readAhead_->Push(stereo, frames);
    feedPos_ = next;
}

void TMixBuffer::Rewind() {
    if (!stream_) return;
    readAhead_->Clear();
    feedPos_ = pos_;
    ++generation_;
}

void TMixBuffer::MarkLost() {
    // Like a device that took the memory away: silence until refilled.
    lost_ = true;
    playing_ = false;
    if (stream_)
        Rewind();
    else
        std::fill(samples_->begin(), samples_->end(), 0);
}

void TMixBuffer::UpdateGains() {
    gainLeft_ = GainOf(volume_ - std::max(pan_, 0));
    gainRight_ = GainOf(volume_ + std::min(pan_, 0));
}
