// One row of the high-score table on the game screen, with the name entry
// for a new score.
#pragma once

#include <cstdint>

#include "engine/rbob.h"

class THSEntry : public TRBob {
public:
    explicit THSEntry(std::int32_t rank);
    // Paints rank, name and score of the table entry into the row's canvas.
    void PaintEntry();
    // The width of the row's picture.
    float PictureWidth();

    std::int32_t Rank;
    std::int32_t Cursor = 1;
    std::int32_t Blink = 0;
    bool Editing = false;
};
