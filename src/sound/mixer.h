// The software mixer that stands in for the sound device: it owns the output
// stream, creates and duplicates sound buffers, mixes every playing voice with
// saturation, reads ahead for the voices that play from their files, and turns
// a lost output device into lost buffers.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "audio_output.h"
#include "mix_buffer.h"

class TMixer : public IAudioSource {
public:
    // output is not owned and must outlive the mixer.
    explicit TMixer(IAudioOutput& output);
    ~TMixer() override;
    TMixer(const TMixer&) = delete;
    TMixer& operator=(const TMixer&) = delete;

    // Opens the output; DSERR_NODRIVER when there is no usable device.
    HRESULT Open();
    void Close();

    HRESULT CreateSoundBuffer(const TWaveFormatEx& format, std::uint32_t sizeBytes, bool isStatic,
                              std::shared_ptr<TMixBuffer>& buffer);
    // A buffer that plays from the wave file's data as it goes.
    HRESULT CreateStreamBuffer(const TWaveFormatEx& format, std::uint32_t sizeBytes,
                               std::shared_ptr<const TWaveStream> stream,
                               std::shared_ptr<TMixBuffer>& buffer);
    HRESULT DuplicateSoundBuffer(const std::shared_ptr<TMixBuffer>& source,
                                 std::shared_ptr<TMixBuffer>& duplicate);
    // The buffer stops sounding and leaves the mixer.
    void ReleaseBuffer(const std::shared_ptr<TMixBuffer>& buffer);

    // Called by one output thread at a time.
    void Mix(std::int16_t* stereo, std::size_t frames) override;

    // Asks the output whether the device went away; if so, every buffer is lost.
    void PollDevice();
    // Opens a lost device again; false while it cannot be opened.
    bool RestoreDevice();

private:
    friend class TMixBuffer;
    // Reads the files of streamed voices that will run short within frames,
    // with the lock held only to look and to hand over what was read.
    void ReadAhead(std::size_t frames);
    // Checks a new buffer's format and size, as the device would.
    HRESULT CheckBufferFormat(const TWaveFormatEx& format, std::uint32_t sizeBytes,
                              std::size_t& frames) const;

    std::mutex mutex_;  // guards the buffers against the output's thread
    IAudioOutput& output_;
    std::vector<std::shared_ptr<TMixBuffer>> buffers_;
    std::vector<std::int32_t> acc_;
    // The output thread's own: read-ahead orders and the frames they read.
    std::vector<TMixBuffer::TReadAhead> orders_;
    std::vector<std::int16_t> scratch_;
    bool open_ = false;
    bool deviceDown_ = false;
};
