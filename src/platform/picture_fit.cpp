// Fitting the game's picture into the output.
#include "picture_fit.h"

#include <algorithm>

namespace {

// floor(a / b) for b > 0, also for negative a.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

TPictureFit Centred(std::int32_t w, std::int32_t h, std::int32_t outputW, std::int32_t outputH) {
    TPictureFit fit;
    fit.Width = w;
    fit.Height = h;
    fit.X = (outputW - w) / 2;
    fit.Y = (outputH - h) / 2;
    return fit;
}

}  // namespace

TPictureFit FitPicture(std::int32_t pictureW, std::int32_t pictureH, std::int32_t outputW,
                       std::int32_t outputH, bool preferSmooth) {
    if (pictureW <= 0 || pictureH <= 0 || outputW <= 0 || outputH <= 0) return {};
    const std::int32_t whole = std::min(outputW / pictureW, outputH / pictureH);
    if (whole >= 2 && !preferSmooth) {
        TPictureFit fit = Centred(pictureW * whole, pictureH * whole, outputW, outputH);
        fit.Factor = whole;
        return fit;
    }
    // The side that runs out first sets the scale.
    const std::int64_t pw = pictureW, ph = pictureH;
    std::int32_t w = outputW, h = outputH;
    if (outputW * ph <= outputH * pw)
        h = static_cast<std::int32_t>(std::max<std::int64_t>(1, (ph * outputW + pw / 2) / pw));
    else
        w = static_cast<std::int32_t>(std::max<std::int64_t>(1, (pw * outputH + ph / 2) / ph));
    TPictureFit fit = Centred(w, h, outputW, outputH);
    if (w % pictureW == 0 && h == pictureH * (w / pictureW))
        fit.Factor = w / pictureW;  // a fraction that came out whole needs no filter
    else
        fit.Smooth = true;
    return fit;
}

void OutputToPicture(const TPictureFit& fit, std::int32_t pictureW, std::int32_t pictureH, std::int32_t ox,
                     std::int32_t oy, std::int32_t& px, std::int32_t& py) {
    if (fit.Width <= 0 || fit.Height <= 0) {
        px = ox;
        py = oy;
        return;
    }
    px = static_cast<std::int32_t>(FloorDiv(static_cast<std::int64_t>(ox - fit.X) * pictureW, fit.Width));
    py = static_cast<std::int32_t>(FloorDiv(static_cast<std::int64_t>(oy - fit.Y) * pictureH, fit.Height));
}
