// The score display: the label and the digits field it is painted into.
#pragma once

#include <cstdint>

#include "engine/rbob.h"

class TScorepoints : public TRBob {
public:
    TScorepoints();
    void PaintPoints();

    std::int32_t Points = 0;
};
