// The MP3 decoder component the music preparation drives: it decodes a whole
// MP3 file (libmpg123) into a RIFF/WAVE file of 16-bit PCM on its own thread,
// and the caller polls for the end. Failures are EMPEGError with the texts of
// the decoder's error table.
#pragma once

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

class EMPEGError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where decoded samples go: the sound card (not offered here) or a PCM file.
enum class TMPEGOutputDevice { wavemapper, pcmfile };

// The decoder's error codes and their texts (0: "MPEG library not loaded").
enum TMPEGErrorCode : int {
    mpegNotLoaded = 0,
    mpegInternalError = 1,
    mpegIncorrectMode = 2,
    mpegInputError = 3,
    mpegNotSeekable = 4,
    mpegOutputFailure = 5,
};
std::string MPEGErrorText(int code);

struct TMPEGDecoder;  // the libmpg123 handle and the decoding thread's state

class TMPEGPlayer {
public:
    TMPEGPlayer();
    ~TMPEGPlayer();
    TMPEGPlayer(const TMPEGPlayer&) = delete;
    TMPEGPlayer& operator=(const TMPEGPlayer&) = delete;

    // "Can't load MPEG library" when the decoder cannot start.
    void LoadMPEGLibrary();
    void UnloadMPEGLibrary();
    bool LibraryLoaded() const { return loaded_; }

    std::string StreamName;   // the MP3 file
    std::string OutFilename;  // the wave file to write
    TMPEGOutputDevice OutputDevice = TMPEGOutputDevice::wavemapper;

    // Opens StreamName ("Can't play non-specified stream" when empty).
    void Open();
    // Starts decoding into OutFilename through a temporary file, which is
    // renamed only when the wave file is complete.
    void Play();
    // True once decoding has ended; raises the decoder's error if it failed.
    bool Ended();
    // Stops decoding (a half-written file is removed) and closes the stream.
    void Close();

    // Of the open stream: samples per second and channels.
    long Frequency() const;
    int Channels() const;

private:
    void RequireLoaded() const;
    [[noreturn]] void Raise(int code) const;

    bool loaded_ = false;
    std::unique_ptr<TMPEGDecoder> decoder_;
    std::thread worker_;
    std::atomic<bool> ended_{false};
    std::atomic<bool> cancel_{false};
    std::atomic<int> lastError_{0};
    bool playing_ = false;
};

// The decoder that exists, if any (the conversion makes one only when none does).
extern TMPEGPlayer* MPEGPlayer;
