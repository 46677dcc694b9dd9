// One sound buffer of the mixer: the converted samples held in memory, or the
// wave file they are read from as the sound plays (either shared with its
// duplicates), and one voice with its own position, pan, volume and state.
// The calls return the device's result codes, as the engine checks them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "ds_result.h"
#include "frame_queue.h"
#include "wave_format.h"
#include "wave_stream.h"

class TMixer;

constexpr std::uint32_t DSBSTATUS_PLAYING = 0x1;
constexpr std::uint32_t DSBSTATUS_BUFFERLOST = 0x2;
constexpr std::uint32_t DSBSTATUS_LOOPING = 0x4;

constexpr std::int32_t DSBVOLUME_MIN = -10000;
constexpr std::int32_t DSBVOLUME_MAX = 0;
constexpr std::int32_t DSBPAN_LEFT = -10000;
constexpr std::int32_t DSBPAN_RIGHT = 10000;

// A voice that plays from its file reads up to this many frames (about 0.37 s)
// ahead of its position.
constexpr std::size_t StreamReadAheadFrames = 16384;

class TMixBuffer {
public:
    // Use TMixer::CreateSoundBuffer and DuplicateSoundBuffer.
    TMixBuffer(TMixer& owner, const TWaveFormatEx& format, std::uint32_t sizeBytes, bool isStatic,
               std::shared_ptr<std::vector<std::int16_t>> samples);
    // A buffer that plays from its file (never static).
    TMixBuffer(TMixer& owner, const TWaveFormatEx& format, std::uint32_t sizeBytes,
               std::shared_ptr<const TWaveStream> stream);

    HRESULT Play(bool looping);
    HRESULT Stop();
    // Positions are bytes of the source data, as the wave file counts them.
    HRESULT SetCurrentPosition(std::uint32_t bytes);
    HRESULT GetCurrentPosition(std::uint32_t& bytes);
    // Hundredths of a decibel: pan attenuates the opposite channel, volume both.
    HRESULT SetPan(std::int32_t pan);
    HRESULT SetVolume(std::int32_t volume);
    HRESULT GetPan(std::int32_t& pan);
    HRESULT GetVolume(std::int32_t& volume);
    HRESULT GetStatus(std::uint32_t& status);
    // Brings a lost buffer back (its samples must be written again).
    HRESULT Restore();
    // Replaces the samples from the start with source-format bytes (the
    // lock, copy and unlock of the whole buffer in one call). A buffer that
    // plays from its file takes none (DSERR_INVALIDCALL).
    HRESULT Write(std::span<const std::uint8_t> bytes);

    const TWaveFormatEx& Format() const { return format_; }
    std::uint32_t SizeBytes() const { return sizeBytes_; }
    bool IsStatic() const { return static_; }
    // True when the samples come from the file as the sound plays.
    bool Streams() const { return stream_ != nullptr; }

private:
    friend class TMixer;
    // What a streamed voice should read next, outside the mixer's lock.
    struct TReadAhead {
        std::shared_ptr<TMixBuffer> buffer;
        std::uint64_t generation;
        std::size_t from, count;
        bool looping;
    };
    // Called by the mixer with its lock held; scratch takes a read-ahead.
    void MixInto(std::int32_t* acc, std::size_t frames, std::vector<std::int16_t>& scratch);
    // True when a streamed voice will soon run short of read-ahead frames.
    bool WantsReadAhead(std::size_t frames) const;
    TReadAhead ReadAheadOrder(const std::shared_ptr<TMixBuffer>& self) const;
    // Keeps frames read for an order unless the voice was moved since.
    void TakeReadAhead(std::uint64_t generation, const std::int16_t* stereo, std::size_t frames,
                       std::size_t next);
    // The next frames from pos_ on, at most frames of them, in one piece.
    std::span<const std::int16_t> NextRun(std::size_t frames, std::vector<std::int16_t>& scratch);
    // A streamed voice forgets what it read ahead (its position or state changed).
    void Rewind();
    void MarkLost();
    void UpdateGains();
    // Pan or volume: a value within low..high is stored and the gains follow.
    HRESULT SetLevel(std::int32_t& field, std::int32_t value, std::int32_t low, std::int32_t high);

    TMixer& owner_;
    TWaveFormatEx format_;
    std::uint32_t sizeBytes_;
    bool static_;
    std::shared_ptr<std::vector<std::int16_t>> samples_;  // stereo frames at MixRate
    std::shared_ptr<const TWaveStream> stream_;           // or where they are read from
    std::unique_ptr<TFrameQueue> readAhead_;              // a stream's frames from pos_ on
    std::size_t feedPos_ = 0;                             // the frame read next
    std::uint64_t generation_ = 0;                        // counts the rewinds
    std::size_t frames_;
    std::size_t pos_ = 0;
    bool playing_ = false;
    bool looping_ = false;
    bool lost_ = false;
    std::int32_t pan_ = 0;
    std::int32_t volume_ = 0;
    std::int32_t gainLeft_ = 1 << 16;  // 16.16 fixed point
    std::int32_t gainRight_ = 1 << 16;
};
