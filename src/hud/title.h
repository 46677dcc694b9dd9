// The title pictures and the title-screen loop: the start prompt glides in
// and out, then the ten best scores do.
#pragma once

#include <cstdint>

#include "engine/rbob.h"

class TAnzeige;

class Ttitle : public TRBob {
public:
    Ttitle();
    // One step of the title loop (only while the title is shown).
    void Step(TAnzeige& displays);

    std::int32_t TitleStep = 0;
    std::int32_t TitleCounter = 0;

private:
    void StepRows(TAnzeige& displays);
};
