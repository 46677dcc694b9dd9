// One sound buffer of the mixer: the converted samples (shared with its
// duplicates) and one voice with its own position, pan, volume and state.
// The calls return the device's result codes, as the engine checks them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "ds_result.h"
#include "wave_format.h"

class TMixer;

constexpr std::uint32_t DSBSTATUS_PLAYING = 0x1;
constexpr std::uint32_t DSBSTATUS_BUFFERLOST = 0x2;
constexpr std::uint32_t DSBSTATUS_LOOPING = 0x4;

constexpr std::int32_t DSBVOLUME_MIN = -10000;
constexpr std::int32_t DSBVOLUME_MAX = 0;
constexpr std::int32_t DSBPAN_LEFT = -10000;
constexpr std::int32_t DSBPAN_RIGHT = 10000;

class TMixBuffer {
public:
    // Use TMixer::CreateSoundBuffer and DuplicateSoundBuffer.
    TMixBuffer(TMixer& owner, const TWaveFormatEx& format, std::uint32_t sizeBytes, bool isStatic,
               std::shared_ptr<std::vector<std::int16_t>> samples);

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
    // lock, copy and unlock of the whole buffer in one call).
    HRESULT Write(std::span<const std::uint8_t> bytes);

    const TWaveFormatEx& Format() const { return format_; }
    std::uint32_t SizeBytes() const { return sizeBytes_; }
    bool IsStatic() const { return static_; }

private:
    friend class TMixer;
    // Called by the mixer with its lock held.
    void MixInto(std::int32_t* acc, std::size_t frames);
    void MarkLost();
    void UpdateGains();
    // Pan or volume: a value within low..high is stored and the gains follow.
    HRESULT SetLevel(std::int32_t& field, std::int32_t value, std::int32_t low, std::int32_t high);

    TMixer& owner_;
    TWaveFormatEx format_;
    std::uint32_t sizeBytes_;
    bool static_;
    std::shared_ptr<std::vector<std::int16_t>> samples_;  // stereo frames at MixRate
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
