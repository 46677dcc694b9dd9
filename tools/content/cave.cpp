// The cave pieces: fleshy floor mounds, ceiling drips, a pillar and a snake
// column, built from unions of soft blobs with one dark outline round them.
#include <cmath>
#include <vector>

#include "art.h"
#include "canvas.h"
#include "rng.h"

namespace {

// Deeper and redder than the far wall, so the pieces read as foreground.
const Rgb kLight = Hex(0xF0607E);
const Rgb kMid = Hex(0xA81A44);
const Rgb kDark = Hex(0x4A0420);
const Rgb kOutline = Hex(0x2A0010);

struct Blob {
    double x, y, rx, ry;
};

void BlobsPath(cairo_t* cr, const std::vector<Blob>& blobs) {
    cairo_new_path(cr);
    for (const Blob& b : blobs) EllipsePath(cr, b.x, b.y, b.rx, b.ry);
}

// Fills the union of the blobs with a gradient from `lit` to `shade` (a
// vertical gradient when vertical, else horizontal), outlines it, and dresses
// it with glossy bumps, cell spots and veins.
void Flesh(cairo_t* cr, int w, int h, const std::vector<Blob>& blobs, bool vertical, bool litFromTop,
           std::uint64_t seed) {
    BlobsPath(cr, blobs);
    SetColor(cr, kOutline);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    BlobsPath(cr, blobs);
    cairo_pattern_t* p =
        vertical ? cairo_pattern_create_linear(0, 0, 0, h) : cairo_pattern_create_linear(0, 0, w, 0);
    const Rgb a = litFromTop ? kLight : kDark, b = litFromTop ? kDark : kLight;
    cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(p, 0.5, kMid.r, kMid.g, kMid.b);
    cairo_pattern_add_color_stop_rgb(p, 1, b.r, b.g, b.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill(cr);

    SavedState s(cr);
    BlobsPath(cr, blobs);
    cairo_clip(cr);
    // A wet rim light just inside the outline on the lit side: the union
    // minus itself shifted away from the light leaves a thin crescent.
    cairo_push_group(cr);
    BlobsPath(cr, blobs);
    SetColor(cr, Hex(0xFFB8C8));
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    {
        SavedState r(cr);
        cairo_translate(cr, 2, litFromTop ? 5 : -5);
        BlobsPath(cr, blobs);
        SetColor(cr, {0, 0, 0});
        cairo_fill(cr);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.6);
    Rng rng(seed);
    // Each blob bulges: a soft light on its upper side, a shade below.
    for (const Blob& bl : blobs) {
        Gloss(cr, bl.x - bl.rx * 0.15, bl.y - bl.ry * (litFromTop ? 0.55 : -0.55), bl.rx * 0.55, bl.ry * 0.3,
              0.18);
    }
    const int spots = w * h / 900 + 6;
    for (int i = 0; i < spots; ++i) {
        const double x = rng.Range(0, w), y = rng.Range(0, h), r = rng.Range(2, 7);
        EllipsePath(cr, x, y, r * 1.2, r);
        if (rng.Uniform() < 0.6)
            SetColor(cr, Hex(0xFFC0CC), 0.35);
        else
            SetColor(cr, kDark, 0.35);
        cairo_fill(cr);
    }
    const int veins = w * h / 9000 + 3;
    for (int i = 0; i < veins; ++i) {
        double x = rng.Range(0, w), y = rng.Range(0, h);
        cairo_move_to(cr, x, y);
        for (int k = 0; k < 3; ++k) {
            const double nx = x + rng.Range(-60, 60), ny = y + rng.Range(-60, 60);
            cairo_curve_to(cr, x + rng.Range(-30, 30), y + rng.Range(-30, 30), nx + rng.Range(-30, 30),
                           ny + rng.Range(-30, 30), nx, ny);
            x = nx, y = ny;
        }
        SetColor(cr, Hex(0x8A0A3A), 0.35);
        cairo_set_line_width(cr, rng.Range(1.2, 2.6));
        cairo_stroke(cr);
    }
}

// A mound standing on the bottom edge (or hanging from the top when flipped).
std::vector<Blob> Mound(int w, int h, int humps, double peak, std::uint64_t seed) {
    Rng rng(seed);
    std::vector<Blob> b;
    b.push_back({w / 2.0, h * 1.0, w / 2.0 - 4, h * 0.55});
    for (int i = 0; i < humps; ++i) {
        const double t = (i + 0.5) / humps;
        const double x = 12 + (w - 24) * t + rng.Range(-10, 10);
        const double edge = std::sin(M_PI * t);
        const double r = std::min(h * 0.42, (w / (humps * 1.4))) * rng.Range(0.7, 1.1);
        const double top = h - (h - 6) * (0.45 + 0.55 * edge * peak) + r;
        b.push_back({x, std::max(top, r + 4.0), r * rng.Range(1.0, 1.3), r});
    }
    return b;
}

// Circles along a column from top to bottom, swaying by the given wave.
std::vector<Blob> Column(int w, int h, double sway, double waves, double r0, double rMid, double phase) {
    std::vector<Blob> b;
    for (int y = 0; y <= h; y += 6) {
        const double t = static_cast<double>(y) / h;
        const double waist = std::pow(std::sin(M_PI * t), 2);
        const double r = r0 + (rMid - r0) * waist + 4 * std::sin(t * 23 + phase);
        const double x = w / 2.0 + sway * std::sin(t * waves * 2 * M_PI + phase) * (0.3 + 0.7 * waist);
        b.push_back({x, static_cast<double>(y), r, 7});
    }
    return b;
}

void Flipped(cairo_t* cr, int h) {
    cairo_translate(cr, 0, h);
    cairo_scale(cr, 1, -1);
}

void Drips(cairo_t* cr, int w, int h, std::uint64_t seed) {
    Rng rng(seed);
    for (int i = 0; i < w / 70 + 1; ++i) {
        const double x = rng.Range(20, w - 20.0), len = rng.Range(8, 18);
        const double y = h * rng.Range(0.45, 0.7);
        EllipsePath(cr, x, y + len, 3.5, 5);
        SetShade(cr, x, y + len, 5, Hex(0xFFE0EA), Hex(0xE05A80), 0.85);
        FillAndOutline(cr, kOutline, 1.6, 0.8);
    }
}

}  // namespace

void DrawFloor1(cairo_t* cr, int w, int h, int) {
    // A stalagmite: a broad foot with a bulbous spire.
    std::vector<Blob> b = {{w / 2.0, h * 1.0, w / 2.0 - 4, h * 0.3}};
    Rng rng(11);
    for (int i = 0; i < 9; ++i) {
        const double t = i / 8.0;
        const double r = 70 * (1 - t) + 22;
        b.push_back(
            {w / 2.0 + std::sin(t * 4) * 18 + rng.Range(-6, 6), h - 40 - t * (h - 80), r * 1.05, r * 0.9});
    }
    Flesh(cr, w, h, b, true, true, 101);
}

void DrawFloor2(cairo_t* cr, int w, int h, int) {
    Flesh(cr, w, h, Mound(w, h, 4, 1.0, 12), true, true, 102);
}
void DrawFloor3(cairo_t* cr, int w, int h, int) {
    Flesh(cr, w, h, Mound(w, h, 5, 0.8, 13), true, true, 103);
}
void DrawFloor4(cairo_t* cr, int w, int h, int) {
    Flesh(cr, w, h, Mound(w, h, 9, 0.6, 14), true, true, 104);
}

void DrawCeiling1(cairo_t* cr, int w, int h, int) {
    {
        SavedState s(cr);
        Flipped(cr, h);
        Flesh(cr, w, h, Mound(w, h, 7, 0.7, 21), true, false, 201);
    }
    Drips(cr, w, h / 2, 301);
}

void DrawCeiling2(cairo_t* cr, int w, int h, int) {
    {
        SavedState s(cr);
        Flipped(cr, h);
        Flesh(cr, w, h, Mound(w, h, 3, 1.0, 22), true, false, 202);
    }
    Drips(cr, w, h / 2, 302);
}

void DrawCeiling3(cairo_t* cr, int w, int h, int) {
    SavedState s(cr);
    Flipped(cr, h);
    Flesh(cr, w, h, Mound(w, h, 4, 1.0, 23), true, false, 203);
}

void DrawCeiling4(cairo_t* cr, int w, int h, int) {
    // A stalactite hanging down.
    SavedState s(cr);
    Flipped(cr, h);
    std::vector<Blob> b = {{w / 2.0, h * 1.0, w / 2.0 - 4, h * 0.22}};
    for (int i = 0; i < 10; ++i) {
        const double t = i / 9.0;
        const double r = 52 * (1 - t) + 12;
        b.push_back({w / 2.0 + std::sin(t * 5) * 12, h - 30 - t * (h - 56), r, r * 0.9});
    }
    Flesh(cr, w, h, b, true, false, 204);
}

void DrawPillar(cairo_t* cr, int w, int h, int) {
    std::vector<Blob> b = Column(w, h, 40, 1.0, 70, 26, 0.3);
    b.push_back({w / 2.0, 0, w / 2.0 - 4, 70});
    b.push_back({w / 2.0 - 60, 40, 70, 55});
    b.push_back({w / 2.0 + 70, 30, 60, 50});
    b.push_back({w / 2.0, h * 1.0, w / 2.0 - 4, 80});
    b.push_back({w / 2.0 + 60, h - 50.0, 75, 55});
    b.push_back({w / 2.0 - 70, h - 35.0, 60, 45});
    Flesh(cr, w, h, b, false, true, 105);
}

void DrawSnake(cairo_t* cr, int w, int h, int) {
    Flesh(cr, w, h, Column(w, h, 36, 2.0, 34, 26, 1.2), false, true, 106);
    // Rings along the column give it a segmented, tendril-like look.
    for (int y = 30; y < h; y += 46) {
        const double t = static_cast<double>(y) / h;
        const double x =
            w / 2.0 + 36 * std::sin(t * 4 * M_PI + 1.2) * (0.3 + 0.7 * std::pow(std::sin(M_PI * t), 2));
        cairo_new_path(cr);
        cairo_arc(cr, x, y - 14, 24, 0.2 * M_PI, 0.8 * M_PI);
        SetColor(cr, kDark, 0.5);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
}
