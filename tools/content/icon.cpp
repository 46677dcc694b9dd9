// The launcher icon, drawn from the game's own art: a rounded tile of the
// cave's colours, a virus of the swarm and a condom shot on its way.
#include "icon.h"

#include <cmath>

#include "art.h"
#include "canvas.h"

namespace {

constexpr double Design = 256;  // the icon is drawn on a 256-unit square

// The tile: the cave's crimson-to-pink gradient with a glossy rim.
void Tile(cairo_t* cr) {
    RoundRectPath(cr, 10, 10, Design - 20, Design - 20, 44);
    cairo_pattern_t* p = cairo_pattern_create_radial(100, 90, 10, 128, 128, 170);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.62, 0.75);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.76, 0.23, 0.39);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.29, 0.02, 0.13);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    FillAndOutline(cr, Hex(0x3A1838), 8);
    Gloss(cr, 80, 52, 46, 14, 0.35);
}

// A frame of a sprite drawer, scaled so its w x h cell lands on the box.
void Sprite(cairo_t* cr, void (*draw)(cairo_t*, int, int, int), int w, int h, int picture, double x, double y,
            double width) {
    SavedState s(cr);
    cairo_translate(cr, x, y);
    const double scale = width / w;
    cairo_scale(cr, scale, scale);
    draw(cr, w, h, picture);
}

}  // namespace

const std::vector<int>& IconSizes() {
    static const std::vector<int> sizes{16, 24, 32, 48, 64, 128, 256};
    return sizes;
}

std::string EncodeIconPng(int size) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    cairo_scale(cr, size / Design, size / Design);
    Tile(cr);
    // The virus as the swarm's sheet draws it (78 x 58), big and to the left;
    // the shot (24 x 79) comes from the right, as the player fires.
    Sprite(cr, DrawVirus1, 78, 58, 0, 14, 64, 172);
    Sprite(cr, DrawSchuss, 24, 79, 0, 194, 84, 30);
    std::string png;
    cairo_surface_flush(canvas.surface());
    cairo_surface_write_to_png_stream(
        canvas.surface(),
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &png);
    return png;
}
