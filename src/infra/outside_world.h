// What the program takes from the world outside it: time, message boxes, the
// resources linked into the program, text rendering, facts about the machine
// and free disk space. Whoever starts the program (or a test) fills one in and
// hands it to what it builds, the game screen, the menu window, the music
// preparation; nothing in the core swaps these behind anyone's back.
#pragma once

#include "infra/clock.h"
#include "infra/disk_space.h"
#include "infra/messages.h"
#include "infra/resources.h"
#include "infra/system_facts.h"

class IFontRasterizer;  // engine/font_rasterizer.h

struct TOutsideWorld {
    IClock* Clock = &SystemClock();
    IMessages* Messages = &StderrMessages();
    const IResources* Resources = &NoResources();
    // Text output raises while there is none.
    IFontRasterizer* Fonts = nullptr;
    ISystemFacts* Facts = &NoSystemFacts();
    FreeSpaceSource FreeSpace = QueryDiskSpace;
};
