// The text rasteriser in force.
#include "engine/font_rasterizer.h"

namespace {
IFontRasterizer* g_rasterizer = nullptr;
}

IFontRasterizer* FontRasterizer() {
    return g_rasterizer;
}
void SetFontRasterizer(IFontRasterizer* rasterizer) {
    g_rasterizer = rasterizer;
}
