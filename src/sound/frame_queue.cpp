// The ring of read-ahead frames.
#include "frame_queue.h"

#include <algorithm>
#include <cstring>

void TFrameQueue::Push(const std::int16_t* stereo, std::size_t frames) {
    const std::size_t capacity = samples_.size() / 2;
    frames = std::min(frames, Room());
    std::size_t tail = (head_ + size_) % capacity;
    for (std::size_t left = frames; left > 0;) {
        const std::size_t n = std::min(left, capacity - tail);
        std::memcpy(samples_.data() + 2 * tail, stereo, n * 2 * sizeof(std::int16_t));
        stereo += 2 * n;
        left -= n;
        tail = (tail + n) % capacity;
    }
    size_ += frames;
}

std::span<const std::int16_t> TFrameQueue::Front() const {
    const std::size_t n = std::min(size_, samples_.size() / 2 - head_);
    return {samples_.data() + 2 * head_, 2 * n};
}

void TFrameQueue::Pop(std::size_t frames) {
    frames = std::min(frames, size_);
    head_ = (head_ + frames) % (samples_.size() / 2);
    size_ -= frames;
}
