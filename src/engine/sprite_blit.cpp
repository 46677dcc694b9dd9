// Drawing sprites of graphic objects: the scaled, blended sprite blit and the
// plain keyed copy.
#include "engine/sprite_blit.h"

#include <exception>
#include <string>

#include "engine/graphic_objects.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"
#include "infra/log.h"

void Stretchblit(TSurfaceRef& dest, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                 std::int32_t sprite, std::int32_t minX, std::int32_t minY, std::int32_t maxX,
                 std::int32_t maxY, bool useColourKey, std::uint8_t alpha) {
    const TSprite* s = SpriteAt(sprite);
    if (!s) return;
    try {
        StretchBlitClipped(SpriteSurface(*s), s->Mask.get(), s->X, s->Y, s->W, s->H, dest, x - width / 2,
                           y - height / 2, width, height, useColourKey, alpha, minX, minY, maxX, maxY);
    } catch (const std::exception& e) {
        WriteLog("Error in Stretchblit: " + std::string(e.what()) + " (" + std::to_string(s->X) + "," +
                 std::to_string(s->Y) + "," + std::to_string(s->W) + "," + std::to_string(s->H) + "," +
                 std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) + "," +
                 std::to_string(height) + ")");
        throw;
    }
}

void PaintSprite(TSurfaceRef& dest, std::int32_t x, std::int32_t y, std::int32_t sprite, std::int32_t minX,
                 std::int32_t minY, std::int32_t maxX, std::int32_t maxY) {
    const TSprite* s = SpriteAt(sprite);
    if (!s) return;
    const std::int32_t statusTop = ClipBottom - StatusLineHeight;
    if (statusTop < maxY) maxY = statusTop;
    BlitClipped(SpriteSurface(*s), s->X, s->Y, s->W, s->H, dest, x, y, true, minX, minY, maxX, maxY);
}
