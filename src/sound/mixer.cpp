// The software mixer: voices are summed in 32 bits and saturated to 16.
#include "mixer.h"

#include <algorithm>
#include <cstring>

#include "pcm_convert.h"

namespace {
// Mixed in pieces of this many frames, so the sum buffer stays small.
constexpr std::size_t ChunkFrames = 1024;
// A sound may take at most this much memory once converted (a lying file must
// not exhaust the machine).
constexpr std::uint64_t MaxBufferBytes = 512ull << 20;
constexpr std::uint32_t MinBufferBytes = 4;
}  // namespace

TMixer::TMixer(IAudioOutput& output)
    : output_(output), acc_(ChunkFrames * 2), scratch_(StreamReadAheadFrames * 2) {}

TMixer::~TMixer() {
    Close();
}

HRESULT TMixer::Open() {
    if (open_) return DS_OK;
    if (!output_.Open(*this)) return DSERR_NODRIVER;
    open_ = true;
    deviceDown_ = false;
    return DS_OK;
}

void TMixer::Close() {
    // Without the lock: the output waits for a running Mix, which takes it.
    if (open_) output_.Close();
    open_ = false;
}

HRESULT TMixer::CheckBufferFormat(const TWaveFormatEx& format, std::uint32_t sizeBytes,
                                  std::size_t& frames) const {
    if (!IsMixableFormat(format)) return DSERR_BADFORMAT;
    if (sizeBytes < MinBufferBytes || sizeBytes < format.nBlockAlign) return DSERR_INVALIDPARAM;
    frames = MixFramesFor(sizeBytes / format.nBlockAlign, format.nSamplesPerSec);
    if (static_cast<std::uint64_t>(frames) * 4 > MaxBufferBytes) return DSERR_OUTOFMEMORY;
    return DS_OK;
}

HRESULT TMixer::CreateSoundBuffer(const TWaveFormatEx& format, std::uint32_t sizeBytes, bool isStatic,
                                  std::shared_ptr<TMixBuffer>& buffer) {
    std::size_t frames = 0;
    if (const HRESULT hr = CheckBufferFormat(format, sizeBytes, frames); hr != DS_OK) return hr;
    auto samples = std::make_shared<std::vector<std::int16_t>>(frames * 2);
    buffer = std::make_shared<TMixBuffer>(*this, format, sizeBytes, isStatic, std::move(samples));
    std::lock_guard lock(mutex_);
    buffers_.push_back(buffer);
    return DS_OK;
}

HRESULT TMixer::CreateStreamBuffer(const TWaveFormatEx& format, std::uint32_t sizeBytes,
                                   std::shared_ptr<const TWaveStream> stream,
                                   std::shared_ptr<TMixBuffer>& buffer) {
    std::size_t frames = 0;
    if (const HRESULT hr = CheckBufferFormat(format, sizeBytes, frames); hr != DS_OK) return hr;
    if (!stream) return DSERR_INVALIDPARAM;
    buffer = std::make_shared<TMixBuffer>(*this, format, sizeBytes, std::move(stream));
    std::lock_guard lock(mutex_);
    buffers_.push_back(buffer);
    return DS_OK;
}

HRESULT TMixer::DuplicateSoundBuffer(const std::shared_ptr<TMixBuffer>& source,
                                     std::shared_ptr<TMixBuffer>& duplicate) {
    if (!source) return DSERR_INVALIDPARAM;
    std::lock_guard lock(mutex_);
    duplicate = source->stream_ ? std::make_shared<TMixBuffer>(*this, source->format_, source->sizeBytes_,
                                                               source->stream_)
                                : std::make_shared<TMixBuffer>(*this, source->format_, source->sizeBytes_,
                                                               source->static_, source->samples_);
    duplicate->pan_ = source->pan_;
    duplicate->volume_ = source->volume_;
    duplicate->lost_ = source->lost_;
    duplicate->UpdateGains();
    buffers_.push_back(duplicate);
    return DS_OK;
}

void TMixer::ReleaseBuffer(const std::shared_ptr<TMixBuffer>& buffer) {
    std::lock_guard lock(mutex_);
    std::erase(buffers_, buffer);
}

void TMixer::Mix(std::int16_t* stereo, std::size_t frames) {
    while (frames > 0) {
        const std::size_t n = std::min(frames, ChunkFrames);
        ReadAhead(n);
        std::lock_guard lock(mutex_);
        std::fill(acc_.begin(), acc_.begin() + static_cast<std::ptrdiff_t>(2 * n), 0);
        for (const auto& buffer : buffers_) buffer->MixInto(acc_.data(), n, scratch_);
        for (std::size_t i = 0; i < 2 * n; ++i)
            stereo[i] = static_cast<std::int16_t>(std::clamp<std::int32_t>(acc_[i], -32768, 32767));
        stereo += 2 * n;
        frames -= n;
    }
}

void TMixer::ReadAhead(std::size_t frames) {
    orders_.clear();
    {
        std::lock_guard lock(mutex_);
        for (const auto& buffer : buffers_)
            if (buffer->WantsReadAhead(frames)) orders_.push_back(buffer->ReadAheadOrder(buffer));
    }
    for (const auto& order : orders_) {
        std::size_t next = 0;
        const std::size_t n =
            order.buffer->stream_->Read(order.from, order.count, order.looping, scratch_.data(), next);
        std::lock_guard lock(mutex_);
        order.buffer->TakeReadAhead(order.generation, scratch_.data(), n, next);
    }
    orders_.clear();  // the buffers are not kept alive beyond the mix
}

void TMixer::PollDevice() {
    if (!open_ || deviceDown_ || !output_.DeviceLost()) return;
    output_.Close();
    open_ = false;
    deviceDown_ = true;
    std::lock_guard lock(mutex_);
    for (const auto& buffer : buffers_) buffer->MarkLost();
}

bool TMixer::RestoreDevice() {
    if (!deviceDown_) return true;
    return Open() == DS_OK;
}
