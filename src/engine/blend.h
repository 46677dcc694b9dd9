// The blending pixel loops: a stretched front rectangle mixed over a back
// rectangle into the blend work surface, by constant alpha or by mask.
#pragma once

#include <cstdint>

#include "engine/pixel_ops.h"
#include "engine/surface.h"

// Where a blend's result goes: to the top-left of the out surface, or
// straight back into the back rectangle (out is checked and locked all the
// same, so a blend fails alike either way).
enum class TBlendOutput { outSurface, backRect };

// Checks the three formats and rectangles and holds the three locks; the
// destructor unlocks out, front and back in that order, also when a check
// raised. The checks raise std::runtime_error with the fixed messages.
class TBlendLocks {
public:
    TBlendLocks(TSurface& back, TSurface& front, TSurface& out, const TRect& backRect, const TRect& frontRect,
                TBlendOutput output = TBlendOutput::outSurface);
    TBlendLocks(const TBlendLocks&) = delete;
    TBlendLocks& operator=(const TBlendLocks&) = delete;

    TPixelFormat format{};
    std::uint32_t bytesPerPixel = 0;
    std::uint8_t* backStart = nullptr;
    std::int32_t backSkip = 0;
    std::uint8_t* frontStart = nullptr;
    std::int32_t frontPitch = 0;
    std::uint32_t frontWidth = 0;  // width of the front surface, for the mask stride
    std::uint32_t colourKey = 0;
    std::uint8_t* outStart = nullptr;
    std::int32_t outSkip = 0;

private:
    // One held lock; members are destroyed in reverse order (out, front,
    // back), also when the constructor raised after taking some of them.
    struct THeld {
        TSurface* surface = nullptr;
        ~THeld() {
            if (surface) surface->Unlock();
        }
    };
    THeld back_;
    THeld front_;
    THeld out_;
};

// Checks and locks as TBlendLocks does; kept under the name the drawing code knows.
using LockBlendSurfaces = TBlendLocks;

// Constant alpha a (0..255): result = (d * (256 - a) + c * a) >> 8 per channel.
void AlphaBlendStretch(TSurface& back, TSurface& front, TSurface& out, const TRect& backRect,
                       const TRect& frontRect, std::uint8_t alpha, bool keyed,
                       TBlendOutput output = TBlendOutput::outSurface);
// Per-pixel alpha from the sheet's mask: 0 keeps the back, 255 takes the
// front, else (d * (255 - f) + e * f) >> 8 per channel.
void MaskBlendStretch(TSurface& back, TSurface& front, TSurface& out, const TRect& backRect,
                      const TRect& frontRect, const TAlphaMask& mask, bool keyed,
                      TBlendOutput output = TBlendOutput::outSurface);
