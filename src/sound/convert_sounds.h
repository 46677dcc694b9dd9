// Music preparation: every MP3 file in snd without an up-to-date wave file is
// decoded into one, with progress shown by the caller's panel. The wave files
// go to snd in the cache folder, which in a build folder is the program's own.
#pragma once

#include <string>

#include "infra/outside_world.h"

// The menu window's panel with its gauge implements this.
class IConvertProgress {
public:
    virtual ~IConvertProgress() = default;
    // The panel appears with the gauge at 0 of jobCount, and is redrawn.
    virtual void Started(int jobCount) = 0;
    // The gauge now stands at done.
    virtual void Progressed(int done) = 0;
    // The panel is hidden again.
    virtual void Finished() = 0;
};

// At most this many MP3 files are converted in one run.
constexpr int MaxConvertJobs = 100;

// Converts what needs converting; false only when a disk space check failed.
// Decoding errors are shown and logged per file; a decoder that cannot start
// raises EMPEGError. The outside world gives the message boxes, the free
// space and the clock the decoder is polled on.
bool ConvertSounds(IConvertProgress& progress, const TOutsideWorld& outside);
// True when the file system holding destination has more than 20 times the
// file's size free; otherwise shows "Not enough space for sounds on drive
// <mount point>" and returns false.
bool EnoughSpace(const std::string& file, const std::string& destination, const TOutsideWorld& outside);
