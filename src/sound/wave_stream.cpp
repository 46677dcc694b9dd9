// Reading a wave file's samples as they are played. Each read also asks the
// system to fetch what follows, so the next read finds it in the cache.
#include "wave_stream.h"

#include <algorithm>
#include <vector>

#include "pcm_convert.h"

namespace {
// Bytes fetched ahead of each read: a few of the mixer's reads.
constexpr std::uint64_t PrefetchBytes = 256 * 1024;
}  // namespace

TWaveStream::TWaveStream(const std::string& path, const TWaveFormatEx& format, std::uint64_t dataOffset,
                         std::uint32_t dataSize)
    : file_(path),
      format_(format),
      dataOffset_(dataOffset),
      srcFrames_(format.nBlockAlign ? dataSize / format.nBlockAlign : 0),
      frames_(MixFramesFor(srcFrames_, format.nSamplesPerSec)) {}

std::size_t TWaveStream::Read(std::size_t from, std::size_t count, bool looping, std::int16_t* out,
                              std::size_t& next) const {
    std::size_t done = 0;
    next = std::min(from, frames_);
    while (done < count && frames_ > 0) {
        if (next == frames_) {
            if (!looping) break;
            next = 0;
        }
        const std::size_t n = std::min(count - done, frames_ - next);
        ReadFrames(next, n, out + 2 * done);
        done += n;
        next += n;
    }
    return done;
}

void TWaveStream::ReadFrames(std::size_t first, std::size_t count, std::int16_t* out) const {
    const TSourceFrames span = SourceFramesFor(first, count, format_.nSamplesPerSec, srcFrames_);
    // What a short read leaves is silence: unsigned 8-bit samples are silent
    // at 128, signed 16-bit ones at 0.
    std::vector<std::uint8_t> bytes(span.count * format_.nBlockAlign, format_.wBitsPerSample == 8 ? 128 : 0);
    const std::uint64_t offset = dataOffset_ + static_cast<std::uint64_t>(span.first) * format_.nBlockAlign;
    file_.ReadAt(offset, bytes);
    file_.Prefetch(offset + bytes.size(), PrefetchBytes);
    ConvertRangeToMix(bytes.data(), srcFrames_, format_, out, first, count);
}
