// The full pictures: the scrolling cave background (its left and right edges
// meet, because the game wraps it round), the farewell picture and the menu.
#include <cmath>
#include <utility>
#include <vector>

#include "art.h"
#include "canvas.h"
#include "rng.h"

namespace {

struct CavePalette {
    Rgb top, mid, bottom, cell, vein;
};

CavePalette Palette(int set) {
    if (set == 0) return {Hex(0x3E041A), Hex(0xC23A64), Hex(0x4A0620), Hex(0xFFB0C8), Hex(0x7A0A30)};
    return {Hex(0x12062E), Hex(0x5A34A0), Hex(0x180838), Hex(0xC8B0FF), Hex(0x2A0E60)};
}

// Draws f at x, and again one width to each side, so the picture tiles.
template <class F>
void Wrapped(int w, F f) {
    for (int k = -1; k <= 1; ++k) f(static_cast<double>(k * w));
}

void Gradient(cairo_t* cr, int h, const CavePalette& pal) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(p, 0, pal.top.r, pal.top.g, pal.top.b);
    cairo_pattern_add_color_stop_rgb(p, 0.5, pal.mid.r, pal.mid.g, pal.mid.b);
    cairo_pattern_add_color_stop_rgb(p, 1, pal.bottom.r, pal.bottom.g, pal.bottom.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_paint(cr);
}

// Folds of the far wall: waves whose periods divide the width.
void Folds(cairo_t* cr, int w, double sy, Rng& rng) {
    for (int j = 0; j < 9; ++j) {
        const double y0 = (40 + j * 66) * sy, amp = rng.Range(10, 30) * sy;
        const int k = 1 + rng.Int(3);
        const double ph = rng.Range(0, 2 * M_PI);
        for (int pass = 0; pass < 2; ++pass) {
            cairo_new_path(cr);
            for (int x = 0; x <= w; x += 8) {
                const double y = y0 + amp * std::sin(2 * M_PI * k * x / w + ph) + (pass ? -6 * sy : 0);
                if (x == 0)
                    cairo_move_to(cr, x, y);
                else
                    cairo_line_to(cr, x, y);
            }
            if (pass == 0)
                SetColor(cr, {0, 0, 0}, 0.16);
            else
                SetColor(cr, {1, 1, 1}, 0.07);
            cairo_set_line_width(cr, (pass ? 5 : 14) * sy);
            cairo_stroke(cr);
        }
    }
}

void Veins(cairo_t* cr, int w, int h, double sy, const CavePalette& pal, Rng& rng) {
    for (int i = 0; i < 12; ++i) {
        double pts[8];
        pts[0] = rng.Range(0, w), pts[1] = rng.Range(0, h);
        for (int k = 2; k < 8; k += 2) {
            pts[k] = pts[0] + rng.Range(-200, 200);
            pts[k + 1] = pts[1] + rng.Range(-150, 150) * sy;
        }
        const double width = rng.Range(2, 5);
        Wrapped(w, [&](double dx) {
            cairo_move_to(cr, pts[0] + dx, pts[1]);
            cairo_curve_to(cr, pts[2] + dx, pts[3], pts[4] + dx, pts[5], pts[6] + dx, pts[7]);
            SetColor(cr, pal.vein, 0.4);
            cairo_set_line_width(cr, width);
            cairo_stroke(cr);
        });
    }
}

// A vertical band of light (or shade) as a full-width gradient: it tiles.
void Band(cairo_t* cr, int h, const std::vector<std::pair<double, double>>& stops, Rgb c) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    for (const auto& [at, alpha] : stops) cairo_pattern_add_color_stop_rgba(g, at, c.r, c.g, c.b, alpha);
    cairo_set_source(cr, g);
    cairo_pattern_destroy(g);
    cairo_paint(cr);
}

// Soft cells drifting in the distance, and specks.
void Cells(cairo_t* cr, int w, int h, double sy, const CavePalette& pal, Rng& rng) {
    for (int i = 0; i < 70; ++i) {
        const double x = rng.Range(0, w), y = rng.Range(0, h), r = rng.Range(5, 38) * sy;
        const double a = rng.Range(0.08, 0.22);
        Wrapped(w, [&](double dx) {
            cairo_pattern_t* c = cairo_pattern_create_radial(x + dx - r * 0.3, y - r * 0.3, 0, x + dx, y, r);
            cairo_pattern_add_color_stop_rgba(c, 0, pal.cell.r, pal.cell.g, pal.cell.b, a * 1.6);
            cairo_pattern_add_color_stop_rgba(c, 0.8, pal.cell.r, pal.cell.g, pal.cell.b, a);
            cairo_pattern_add_color_stop_rgba(c, 1, pal.cell.r, pal.cell.g, pal.cell.b, 0);
            cairo_set_source(cr, c);
            cairo_pattern_destroy(c);
            EllipsePath(cr, x + dx, y, r, r);
            cairo_fill(cr);
        });
    }
    for (int i = 0; i < 90; ++i) {
        const double x = rng.Range(0, w), y = rng.Range(0, h), r = rng.Range(0.8, 2.2);
        Wrapped(w, [&](double dx) {
            EllipsePath(cr, x + dx, y, r, r);
            SetColor(cr, {1, 0.95, 0.97}, 0.45);
            cairo_fill(cr);
        });
    }
}

void CaveBackdrop(cairo_t* cr, int w, int h, int set) {
    const CavePalette pal = Palette(set);
    Rng rng(7000 + static_cast<std::uint64_t>(set));
    const double sy = h / 600.0;
    Gradient(cr, h, pal);
    Folds(cr, w, sy, rng);
    Veins(cr, w, h, sy, pal, rng);
    Band(cr, h, {{0.25, 0}, {0.5, 0.16}, {0.75, 0}}, {1, 0.85, 0.9});  // the glow down the tunnel
    Cells(cr, w, h, sy, pal, rng);
    Band(cr, h, {{0, 0.55}, {0.18, 0}, {0.82, 0}, {1, 0.6}}, {0.1, 0, 0.05});  // darker roof and floor
}

const Rgb kPlum = Hex(0x3A0A2A);

void Panel(cairo_t* cr, double x, double y, double w, double h, double alpha) {
    RoundRectPath(cr, x, y, w, h, 18);
    SetColor(cr, Hex(0x2A0418), alpha);
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0xFFD6E4), 0.8);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

}  // namespace

void DrawBackground(cairo_t* cr, int w, int h, int set) {
    CaveBackdrop(cr, w, h, set);
}

void DrawInfoPicture(cairo_t* cr, int w, int h, int set) {
    CaveBackdrop(cr, w, h, set);
    {
        SavedState s(cr);
        cairo_translate(cr, (w - 761) / 2.0, 60);
        DrawTitle(cr, 761, 65, 0);
    }
    Panel(cr, 120, 160, w - 240.0, 330, 0.55);
    DrawVelmoraEmblem(cr, w / 2.0, 268, 86, 0.35);
    Lettering l;
    l.size = 40;
    l.top = Hex(0xFFFFFF);
    l.bottom = Hex(0xFFC8DC);
    l.outline = kPlum;
    l.outlineWidth = 6;
    l.shadow = 3;
    DrawLettering(cr, "Thanks for playing!", w / 2.0, 410, l, w - 280.0);
    Lettering g = l;
    g.size = 28;
    g.top = Hex(0xFFFBD0);
    g.bottom = Hex(0xFFB22E);
    g.shadow = 0;
    g.outlineWidth = 4.5;
    DrawLettering(cr, "Protect to prevail.", w / 2.0, 458, g, w - 280.0);
    Lettering small;
    small.face = Face::Plain;
    small.size = 16;
    small.outline = kPlum;
    small.outlineWidth = 3;
    DrawLettering(cr, "Click or press Esc to return to the menu", w / 2.0, h - 40.0, small);
}

namespace {

// The news pane's place, 52,53 size 292 x 171: a frame for the pane, or the
// campaign emblem where the pane would be.
void NewsArea(cairo_t* cr, bool withNewsFrame) {
    if (withNewsFrame) {
        RoundRectPath(cr, 46, 47, 304, 183, 10);
        SetVertical(cr, 47, 230, Hex(0xFFE6A0), Hex(0xC8862A));
        FillAndOutline(cr, kPlum, 2.5);
        cairo_rectangle(cr, 52, 53, 292, 171);
        SetColor(cr, Hex(0x2A0A22));
        cairo_fill(cr);
        return;
    }
    Panel(cr, 52, 53, 292, 171, 0.35);
    DrawVelmoraEmblem(cr, 198, 128, 62, 0.3);
    Lettering l;
    l.size = 20;
    l.top = Hex(0xFFFBD0);
    l.bottom = Hex(0xFFB22E);
    l.outline = kPlum;
    l.outlineWidth = 3.5;
    DrawLettering(cr, "Protect to prevail!", 198, 214, l, 280);
}

// The PLAY button exactly over the click area 124,256 size 157 x 53.
void PlayButton(cairo_t* cr) {
    RoundRectPath(cr, 127, 261, 157, 53, 26);
    SetColor(cr, {0, 0, 0}, 0.35);
    cairo_fill(cr);
    RoundRectPath(cr, 125.5, 257.5, 154, 50, 25);
    SetVertical(cr, 257, 308, Hex(0xFFEE7A), Hex(0xFF6A1A));
    FillAndOutline(cr, kPlum, 3);
    Gloss(cr, 202, 268, 62, 8, 0.7);
    Lettering play;
    play.size = 34;
    play.top = Hex(0xFFFFFF);
    play.bottom = Hex(0xFFE0EC);
    play.outline = kPlum;
    play.outlineWidth = 5;
    DrawLettering(cr, "PLAY", 202.5, CentredBaseline(cr, "PLAY", 282.5, play), play);
}

}  // namespace

void DrawMenuPicture(cairo_t* cr, int w, int h, bool withNewsFrame) {
    CaveBackdrop(cr, w, h, 0);
    {
        SavedState s(cr);
        cairo_translate(cr, 10, 4);
        cairo_scale(cr, (w - 20) / 761.0, 44 / 65.0);
        DrawTitle(cr, 761, 65, 0);
    }
    NewsArea(cr, withNewsFrame);
    Lettering hint;
    hint.face = Face::Plain;
    hint.size = 13;
    hint.outline = kPlum;
    hint.outlineWidth = 2.6;
    DrawLettering(cr, "Slide the canon, click to shoot!", w / 2.0, 246, hint);
    PlayButton(cr);
    SavedState s(cr);
    cairo_translate(cr, (w - 234) / 2.0, 312);
    DrawTitleVelmora(cr, 234, 37, 0);
}
