// The "Gameover" picture that swoops in from in front of the camera when a
// deadly enemy got through.
#pragma once

#include <cstdint>

#include "engine/rbob.h"

class TAnzeige;

class TScoreGameover : public TRBob {
public:
    TScoreGameover();
    // One step; counts the steps since the game was lost.
    void Step(TAnzeige& displays);

    std::int32_t GameoverSteps = 0;
};
