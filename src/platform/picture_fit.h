// Where the game's picture lands in whatever output its window really has:
// as large as fits with its aspect ratio kept, centred between black bars,
// and the way back from an output pixel to a picture pixel for the mouse.
#pragma once

#include <cstdint>

struct TPictureFit {
    // The picture's place in the output, in output pixels.
    std::int32_t X = 0, Y = 0, Width = 0, Height = 0;
    // The whole-number scale when there is one (1: the picture as it is), 0
    // when the picture is scaled by a fraction.
    std::int32_t Factor = 0;
    // Scaled with filtering (fractions); otherwise each picture pixel becomes
    // a sharp block.
    bool Smooth = false;
};

// Where an output holds the picture at least twice in both directions, the
// largest whole-number scale (sharp), unless preferSmooth asks for filling the
// output with a filtered picture instead; otherwise the largest fractional
// scale, filtered. An output of the picture's size takes it as it is. An empty
// output or picture gives an empty place.
TPictureFit FitPicture(std::int32_t pictureW, std::int32_t pictureH, std::int32_t outputW,
                       std::int32_t outputH, bool preferSmooth);

// The picture pixel under output pixel (ox, oy). Outside the picture the
// result lies beyond the picture's edges, as a window's cursor can.
void OutputToPicture(const TPictureFit& fit, std::int32_t pictureW, std::int32_t pictureH, std::int32_t ox,
                     std::int32_t oy, std::int32_t& px, std::int32_t& py);
