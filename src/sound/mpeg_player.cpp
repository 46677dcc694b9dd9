// The MP3 decoder component over libmpg123. Decoding runs on a worker thread
// into "<wave file>.part", which becomes the wave file only when complete.
#include "mpeg_player.h"

#include <mpg123.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "wave_writer.h"

TMPEGPlayer* MPEGPlayer = nullptr;

struct TMPEGDecoder {
    mpg123_handle* handle = nullptr;
    long rate = 0;
    int channels = 0;
    ~TMPEGDecoder() {
        if (!handle) return;
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};

namespace {

constexpr int Cancelled = -1;
constexpr std::size_t ReadChunk = 64 * 1024;

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

bool WriteAll(std::FILE* f, const void* data, std::size_t size) {
    return std::fwrite(data, 1, size, f) == size;
}

// Decodes the rest of the stream into the open file after its header.
int DecodeSamples(TMPEGDecoder& d, std::FILE* f, const std::atomic<bool>& cancel, std::uint64_t& total) {
    std::vector<unsigned char> buffer(ReadChunk);
    for (;;) {
        if (cancel) return Cancelled;
        std::size_t done = 0;
        const int r = mpg123_read(d.handle, buffer.data(), buffer.size(), &done);
        if (done > 0 && !WriteAll(f, buffer.data(), done)) return mpegOutputFailure;
        total += done;
        if (r == MPG123_DONE) return 0;
        if (r == MPG123_NEW_FORMAT) {
            // A change of rate or channels mid-stream cannot go in one wave file.
            long rate = 0;
            int channels = 0, encoding = 0;
            mpg123_getformat(d.handle, &rate, &channels, &encoding);
            if (rate != d.rate || channels != d.channels) return mpegInternalError;
        } else if (r != MPG123_OK) {
            return mpegInternalError;
        }
    }
}

int WriteWaveFile(TMPEGDecoder& d, const std::string& path, const std::atomic<bool>& cancel) {
    FilePtr f(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!f) return mpegOutputFailure;
    const auto channels = static_cast<std::uint16_t>(d.channels);
    const auto rate = static_cast<std::uint32_t>(d.rate);
    std::string header = MakeWaveHeader(channels, rate, 16, 0);
    if (!WriteAll(f.get(), header.data(), header.size())) return mpegOutputFailure;
    std::uint64_t total = 0;
    if (const int code = DecodeSamples(d, f.get(), cancel, total); code != 0) return code;
    if (total == 0) return mpegInputError;  // nothing in the stream was MPEG audio
    if (total > 0xFFFFFFFFull - 36) return mpegOutputFailure;
    header = MakeWaveHeader(channels, rate, 16, static_cast<std::uint32_t>(total));
    if (std::fseek(f.get(), 0, SEEK_SET) != 0 || !WriteAll(f.get(), header.data(), header.size()) ||
        std::fflush(f.get()) != 0 || fsync(fileno(f.get())) != 0)
        return mpegOutputFailure;
    return std::fclose(f.release()) == 0 ? 0 : mpegOutputFailure;
}

int DecodeToWave(TMPEGDecoder& d, const std::string& outName, const std::atomic<bool>& cancel) {
    const std::string temp = outName + ".part";
    int code = WriteWaveFile(d, temp, cancel);
    if (code == 0 && std::rename(temp.c_str(), outName.c_str()) != 0) code = mpegOutputFailure;
    if (code != 0) std::remove(temp.c_str());
    return code;
}

}  // namespace

std::string MPEGErrorText(int code) {
    switch (code) {
        case mpegNotLoaded:
            return "MPEG library not loaded";
        case mpegInternalError:
            return "Internal decoder error";
        case mpegIncorrectMode:
            return "Incorrect mode";
        case mpegInputError:
            return "Input stream error";
        case mpegNotSeekable:
            return "Input stream is non-seekable";
        case mpegOutputFailure:
            return "Output device failure";
        default:
            return "Internal decoder error";
    }
}

TMPEGPlayer::TMPEGPlayer() {
    if (!MPEGPlayer) MPEGPlayer = this;
}

TMPEGPlayer::~TMPEGPlayer() {
    UnloadMPEGLibrary();
    if (MPEGPlayer == this) MPEGPlayer = nullptr;
}

void TMPEGPlayer::LoadMPEGLibrary() {
    if (loaded_) return;
    if (mpg123_init() != MPG123_OK) throw EMPEGError("Can't load MPEG library");
    loaded_ = true;
}

void TMPEGPlayer::UnloadMPEGLibrary() {
    Close();
    loaded_ = false;
}

void TMPEGPlayer::RequireLoaded() const {
    if (!loaded_) throw EMPEGError(MPEGErrorText(mpegNotLoaded));
}

void TMPEGPlayer::Raise(int code) const {
    throw EMPEGError(MPEGErrorText(code));
}

void TMPEGPlayer::Open() {
    RequireLoaded();
    if (StreamName.empty()) throw EMPEGError("Can't play non-specified stream");
    Close();
    auto d = std::make_unique<TMPEGDecoder>();
    int err = MPG123_OK;
    d->handle = mpg123_new(nullptr, &err);
    if (!d->handle) Raise(mpegInternalError);
    mpg123_param(d->handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // Always 16-bit samples, at the stream's own rate and channel count.
    mpg123_format_none(d->handle);
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        mpg123_format(d->handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    int encoding = 0;
    if (mpg123_open(d->handle, StreamName.c_str()) != MPG123_OK ||
        mpg123_getformat(d->handle, &d->rate, &d->channels, &encoding) != MPG123_OK)
        Raise(mpegInputError);
    decoder_ = std::move(d);
}

void TMPEGPlayer::Play() {
    RequireLoaded();
    if (!decoder_ || playing_) Raise(mpegIncorrectMode);
    // Playing to the sound card is not offered: the game plays wave files.
    if (OutputDevice != TMPEGOutputDevice::pcmfile || OutFilename.empty()) Raise(mpegOutputFailure);
    ended_ = false;
    cancel_ = false;
    lastError_ = 0;
    playing_ = true;
    worker_ = std::thread([this, d = decoder_.get(), out = OutFilename] {
        const int code = DecodeToWave(*d, out, cancel_);
        lastError_ = code > 0 ? code : 0;
        ended_ = true;
    });
}

bool TMPEGPlayer::Ended() {
    RequireLoaded();
    if (!playing_) return true;
    if (!ended_) return false;
    worker_.join();
    playing_ = false;
    if (lastError_ > 0) Raise(lastError_);
    return true;
}

void TMPEGPlayer::Close() {
    if (worker_.joinable()) {
        cancel_ = true;
        worker_.join();
    }
    playing_ = false;
    decoder_.reset();
}

long TMPEGPlayer::Frequency() const {
    return decoder_ ? decoder_->rate : 0;
}
int TMPEGPlayer::Channels() const {
    return decoder_ ? decoder_->channels : 0;
}
