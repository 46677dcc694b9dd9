// Sheets and text output for the displays' painted fields.
#include "hud/canvas_fields.h"

#include <stdexcept>

#include "engine/graphic_objects.h"
#include "engine/pixel_ops.h"
#include "engine/text_paint.h"

TSurfaceRef FieldSurface(const std::string& goName) {
    const TSprite* sprite = SpriteAt(SpriteOf(GetGOIndex(goName), 0, 0));
    TSurfaceRef surface = sprite ? SpriteSurface(*sprite) : nullptr;
    if (!surface) throw std::runtime_error("Kein Feld f\xFCr " + goName);
    return surface;
}

void BeginField(const TSurfaceRef& surface, std::int32_t width, std::int32_t height) {
    Colorfill(surface, 0, 0, width, height, FieldFillRGB);
}

void EndField(const TSurfaceRef& surface) {
    ReplaceColor(surface, FieldFillRGB, 0);
}

void PrintHudText(const TSurfaceRef& surface, std::int32_t x, std::int32_t horizontalAlign,
                  const std::string& text, TColor colour, std::int32_t widthReserve) {
    TSurfaceRef target = surface;
    Printtosurface(x, 0, 0, widthReserve, 0, 0, text, horizontalAlign, 0, colour, 1, DefaultFontName, 24,
                   fsBold, target);
}
