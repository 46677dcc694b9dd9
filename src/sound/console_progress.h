// Progress of the music preparation for a program without the menu window
// (the headless runner, a replay watched from the command line).
#pragma once

#include "sound/convert_sounds.h"

class TConsoleConvertProgress : public IConvertProgress {
public:
    // One line on standard error.
    void Started(int jobCount) override;
    void Progressed(int) override {}
    void Finished() override {}
};
