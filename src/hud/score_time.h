// The game clock display: the label with its digits, or the big centred
// digits for the last ten seconds.
#pragma once

#include <cstdint>

#include "engine/rbob.h"

class TScoretime : public TRBob {
public:
    TScoretime();
    // Repaints the seconds into the small or the big field (only while shown).
    void PaintTime();

    std::int32_t Seconds = 90;
};
