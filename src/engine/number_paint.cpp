// Numbers composed from the digit pictures of a graphic object into a field.
#include "engine/number_paint.h"

#include <exception>
#include <string>

#include "engine/graphic_objects.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"
#include "engine/sprite_blit.h"
#include "infra/helpers.h"
#include "infra/log.h"

namespace {

std::int32_t GlyphAnimation(char c) {
    if (c == '-') return 10;
    if (c >= '0' && c <= '9') return c - '0';
    return 0;
}

}  // namespace

void Paintnumbertosurface(std::int32_t value, std::uint8_t minDigits, std::int32_t fieldGO,
                          std::int32_t fontGO, std::int32_t horizontalAlign) {
    const std::string text = IntToStrZero(value, minDigits);
    const TSprite* field = SpriteAt(SpriteOf(fieldGO, 0, 0));
    const TSprite* zero = SpriteAt(SpriteOf(fontGO, 0, 0));
    // Without a field there is nothing to paint into.
    if (!field) return;
    TSurfaceRef sheet = SpriteSurface(*field);
    const std::int32_t glyphW = zero ? zero->W : 0;
    const std::int32_t free = field->W - glyphW * static_cast<std::int32_t>(text.size());
    const std::int32_t offset = horizontalAlign == 1 ? free : horizontalAlign == 2 ? free / 2 : 0;
    Colorfill(sheet, 0, 0, field->W, field->H, 0);
    if (text.size() > 6) return;
    try {
        for (std::size_t i = 0; i < text.size(); ++i)
            PaintSprite(sheet, glyphW * static_cast<std::int32_t>(i) + offset, 0,
                        SpriteOf(fontGO, GlyphAnimation(text[i]), 0), 0, 0, ClipRight, ClipBottom);
    } catch (const std::exception& e) {
        WriteLog("Error in Paintnumbertosurface: " + std::string(e.what()) + " (" + std::to_string(value) +
                 "," + std::to_string(minDigits) + "," + std::to_string(fieldGO) + "," +
                 std::to_string(fontGO) + "," + text + ")");
        throw;
    }
}
