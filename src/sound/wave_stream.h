// The sample data of a wave file read as it plays, instead of being held in
// memory: piece by piece, converted to the mix format exactly as converting
// the whole file at once would. Shared by a sound and its duplicates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "infra/read_only_file.h"
#include "wave_format.h"

class TWaveStream {
public:
    // Opens the file (path resolved) whose data the reader found at
    // dataOffset; raises EInOutError when it cannot be opened.
    TWaveStream(const std::string& path, const TWaveFormatEx& format, std::uint64_t dataOffset,
                std::uint32_t dataSize);

    // The sound's length in mix frames.
    std::size_t Frames() const { return frames_; }
    // Up to count mix frames in playing order from frame from on, into out
    // (stereo): past the end a looping sound starts again, any other stops.
    // Returns the frames written; next is where playing goes on after them.
    // Bytes the file no longer holds (cut short while playing) are silence.
    std::size_t Read(std::size_t from, std::size_t count, bool looping, std::int16_t* out,
                     std::size_t& next) const;

private:
    void ReadFrames(std::size_t first, std::size_t count, std::int16_t* out) const;

    TReadOnlyFile file_;
    TWaveFormatEx format_;
    std::uint64_t dataOffset_;
    std::size_t srcFrames_;
    std::size_t frames_;
};
