// A fixed ring of stereo frames: the samples a streamed voice has read ahead
// of its playing position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TFrameQueue {
public:
    explicit TFrameQueue(std::size_t capacity) : samples_(capacity * 2) {}

    std::size_t Size() const { return size_; }
    std::size_t Room() const { return samples_.size() / 2 - size_; }
    void Clear() { head_ = size_ = 0; }
    // Appends frames (at most Room()).
    void Push(const std::int16_t* stereo, std::size_t frames);
    // The oldest frames that lie in one piece (fewer than Size() where the
    // ring wraps), as stereo samples.
    std::span<const std::int16_t> Front() const;
    void Pop(std::size_t frames);

private:
    std::vector<std::int16_t> samples_;
    std::size_t head_ = 0;  // frame index of the oldest frame
    std::size_t size_ = 0;
};
