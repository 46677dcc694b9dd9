// One sound: a wave file loaded into a mixer buffer (a static one), or played
// from its file (any other), or a duplicate that shares another sound's
// samples or file. A Disabled sound ignores every call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "mix_buffer.h"

class TkbDSound;

class TkbDSoundFile {
    struct Key {};  // only Create and CreateDuplicate construct sounds

public:
    // Loads path + ".wav" into a new sound of the global engine (a static
    // sound into memory, any other to play from the file) and puts it in the
    // engine's list. Errors only make the sound Disabled.
    static TkbDSoundFile& Create(const std::string& path, bool isStatic);
    // A sound that shares source's samples with its own position, pan and volume.
    static TkbDSoundFile& CreateDuplicate(const TkbDSoundFile& source);
    // Releases the buffer and leaves the engine's list (the object is gone).
    void Free();

    TkbDSoundFile(Key, TkbDSound& owner);
    ~TkbDSoundFile();
    TkbDSoundFile(const TkbDSoundFile&) = delete;
    TkbDSoundFile& operator=(const TkbDSoundFile&) = delete;

    // Plays from the start (restarting a playing sound), looped when Looping.
    void Play();
    void Stop();
    void SetPan(std::int32_t pan);
    void SetVolume(std::int32_t volume);
    void SetPosition(std::uint32_t bytes);
    // Restores a buffer whose memory was lost; returns Lost.
    bool CheckLost();
    bool Restore();
    // Reads the file's samples into the buffer again (nothing for a sound
    // that plays from its file).
    void Fill();

    // When true, Play loops (the game sets it for music).
    bool Looping = false;

    const std::string& Name() const { return name_; }
    const std::string& FileName() const { return fileName_; }
    std::uint32_t DataSize() const { return dataSize_; }
    bool Disabled() const { return disabled_; }
    bool Lost() const { return lost_; }
    bool LoopPlaying() const { return loopPlaying_; }
    TkbDSound& Owner() const { return owner_; }
    // The mixer buffer (null when Disabled).
    const std::shared_ptr<TMixBuffer>& Buffer() const { return buffer_; }

private:
    void Load(bool isStatic);
    bool StatusSaysLost();

    TkbDSound& owner_;
    std::shared_ptr<TMixBuffer> buffer_;
    std::string name_;
    std::string fileName_;
    std::uint32_t dataSize_ = 0;
    bool disabled_ = true;
    bool lost_ = false;
    bool loopPlaying_ = false;
};
