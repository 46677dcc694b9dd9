// The player's gear: condoms in flight, unrolling and wrapped round a catch,
// the torpedo, its stock icon and the condom canon's mouth.
#include <cmath>

#include "art.h"
#include "canvas.h"

namespace {

const Rgb kLatex = Hex(0xFFFCE6);
const Rgb kLatexDeep = Hex(0xF4DC8C);
const Rgb kLatexInk = Hex(0x7A5A16);
const Rgb kInk = Hex(0x3A1838);

struct SheathShape {
    double ringX, bulbX, cy;
    double ringRy, bodyRy, bulbRx, bulbRy, nippleR;
};

void SheathPath(cairo_t* cr, const SheathShape& s) {
    cairo_new_path(cr);
    if (s.bulbX - s.ringX > 2) {
        cairo_move_to(cr, s.ringX, s.cy - s.bodyRy);
        cairo_curve_to(cr, (s.ringX + s.bulbX) / 2, s.cy - s.bodyRy, s.bulbX - s.bulbRx,
                       s.cy - s.bulbRy * 0.8, s.bulbX, s.cy - s.bulbRy * 0.8);
        cairo_line_to(cr, s.bulbX, s.cy + s.bulbRy * 0.8);
        cairo_curve_to(cr, s.bulbX - s.bulbRx, s.cy + s.bulbRy * 0.8, (s.ringX + s.bulbX) / 2,
                       s.cy + s.bodyRy, s.ringX, s.cy + s.bodyRy);
        cairo_close_path(cr);
    }
    EllipsePath(cr, s.bulbX, s.cy, s.bulbRx, s.bulbRy);
    EllipsePath(cr, s.bulbX + s.bulbRx + s.nippleR * 0.4, s.cy, s.nippleR * 1.2, s.nippleR);
}

void Ring(cairo_t* cr, double x, double cy, double ry, double thick) {
    EllipsePath(cr, x, cy, thick * 0.9, ry);
    SetColor(cr, kLatexInk);
    cairo_set_line_width(cr, thick + 2.4);
    cairo_stroke_preserve(cr);
    SetVertical(cr, cy - ry, cy + ry, Lighter(kLatex, 0.3), kLatexDeep);
    cairo_set_line_width(cr, thick);
    cairo_stroke(cr);
}

// A translucent latex sheath: clear in the middle, denser towards its edges
// where the light runs through more latex. Drawn in a group so the outline
// shows only on the union's edge.
void Sheath(cairo_t* cr, const SheathShape& s, double alpha, double shimmer, bool clear = true) {
    cairo_push_group(cr);
    SheathPath(cr, s);
    SetColor(cr, kLatexInk);
    cairo_set_line_width(cr, 4.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, s.cy - s.bulbRy, 0, s.cy + s.bulbRy);
    const Rgb light = Lighter(kLatex, 0.4);
    cairo_pattern_add_color_stop_rgba(p, 0, kLatexDeep.r, kLatexDeep.g, kLatexDeep.b, 1);
    const double mid = clear ? 0.5 : 1.0, side = clear ? 0.62 : 1.0;
    cairo_pattern_add_color_stop_rgba(p, 0.3, kLatex.r, kLatex.g, kLatex.b, side);
    cairo_pattern_add_color_stop_rgba(p, 0.5, light.r, light.g, light.b, mid);
    cairo_pattern_add_color_stop_rgba(p, 0.7, kLatex.r, kLatex.g, kLatex.b, side);
    cairo_pattern_add_color_stop_rgba(p, 1, kLatexDeep.r, kLatexDeep.g, kLatexDeep.b, 1);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    // A glint runs along the latex.
    const double gx = s.ringX + (s.bulbX - s.ringX) * shimmer;
    Gloss(cr, gx, s.cy - s.bodyRy * 0.45, std::max(8.0, (s.bulbX - s.ringX) * 0.18), s.bodyRy * 0.22, 0.8);
    Gloss(cr, s.bulbX - s.bulbRx * 0.25, s.cy - s.bulbRy * 0.5, s.bulbRx * 0.45, s.bulbRy * 0.22, 0.95);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

}  // namespace

void DrawMiniCondom(cairo_t* cr, double cx, double cy, double length) {
    const double k = length / 40.0;
    SheathShape s{cx - 16 * k, cx + 8 * k, cy, 7 * k, 5 * k, 8 * k, 7 * k, 3 * k};
    Sheath(cr, s, 1.0, 0.5, false);
    Ring(cr, s.ringX, cy, s.ringRy, 3.2 * k);
}

void DrawSchuss(cairo_t* cr, int w, int h, int) {
    // Seen from the side, flying left: the tip ahead, the rolled rim behind.
    const double cy = h / 2.0;
    EllipsePath(cr, 5, cy, 3.2, 5.5);
    EllipsePath(cr, 11, cy, 8, 22);
    SetColor(cr, kLatexInk);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetShade(cr, 11, cy, 20, Lighter(kLatex, 0.5), kLatexDeep);
    cairo_fill(cr);
    Gloss(cr, 8, cy - 9, 3, 7, 0.9);
    Ring(cr, w - 7.5, cy, h / 2.0 - 4, 6);
}

void DrawKondom(cairo_t* cr, int w, int h, int picture) {
    const double phase = 2 * M_PI * picture / 12.0;
    const double cy = h / 2.0;
    const double wob = std::sin(phase);
    SheathShape s{30, w - 50.0, cy, 16, 13 + 1.2 * wob, 30 + wob, 27 - 1.2 * wob, 7};
    Sheath(cr, s, 1.0, 0.5 + 0.4 * std::sin(phase));
    Ring(cr, s.ringX, cy, s.ringRy + 0.8 * std::cos(phase), 5);
}

void DrawAbroll(cairo_t* cr, int w, int h, int picture) {
    // Picture 6 is played first: the rolled condom sits on the head; by
    // picture 1 it is unrolled along the body.
    const double u = (5 - picture) / 5.0;
    const double cy = h / 2.0;
    const double ringX = 228 + (34 - 228) * u;
    const double ringRy = 26 + (17 - 26) * u;
    SheathShape s{ringX, w - 53.0, cy, ringRy, 13 + 8 * (1 - u), 30, 27, 7};
    Sheath(cr, s, 1.0, 0.6);
    Ring(cr, ringX, cy, ringRy, 8 - 3 * u);
}

void DrawTorpedo(cairo_t* cr, int, int h, int picture) {
    const double cy = h / 2.0;
    const double spin = 2 * M_PI * picture / 12.0 * 2;
    // Fins.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 112, cy + side * 9);
        cairo_line_to(cr, 136, cy + side * 18);
        cairo_line_to(cr, 140, cy + side * 18);
        cairo_line_to(cr, 136, cy + side * 6);
        cairo_close_path(cr);
        SetVertical(cr, cy - 18, cy + 18, Hex(0xB98AFF), Hex(0x5A2AA8));
        FillAndOutline(cr, kInk, 2);
    }
    // Body.
    RoundRectPath(cr, 18, cy - 12, 124, 24, 12);
    SetVertical(cr, cy - 12, cy + 12, Hex(0xFF9DB4), Hex(0xB81E46));
    FillAndOutline(cr, kInk, 2.4);
    for (double x : {70.0, 100.0}) {
        cairo_rectangle(cr, x, cy - 11, 7, 22);
        SetColor(cr, Hex(0xFFF4F8), 0.9);
        cairo_fill(cr);
    }
    Gloss(cr, 80, cy - 6, 50, 3, 0.7);
    // The nose: a latex tip, of course.
    EllipsePath(cr, 7, cy, 4, 4);
    EllipsePath(cr, 22, cy, 16, 12.5);
    SetColor(cr, kLatexInk);
    cairo_set_line_width(cr, 4.4);
    cairo_stroke_preserve(cr);
    SetShade(cr, 22, cy, 16, Lighter(kLatex, 0.5), kLatexDeep);
    cairo_fill(cr);
    Gloss(cr, 18, cy - 6, 8, 3, 0.9);
    // A determined look.
    Eye(cr, 46, cy - 3, 5, -0.9, 0, 0.35, kInk);
    Eye(cr, 56, cy - 3, 4.5, -0.9, 0, 0.35, kInk);
    // Propeller: a spinning two-blade seen edge-on, with its blur.
    EllipsePath(cr, 150, cy, 4, 17);
    SetColor(cr, {1, 1, 1}, 0.25);
    cairo_fill(cr);
    const double a = 16 * std::fabs(std::cos(spin)), b = 16 * std::fabs(std::sin(spin));
    for (double len : {b, a}) {
        RoundRectPath(cr, 147, cy - len - 1, 6, 2 * len + 2, 3);
        SetVertical(cr, cy - len, cy + len, Hex(0xFFF3A0), Hex(0xD09A20));
        FillAndOutline(cr, kInk, 1.6);
    }
    EllipsePath(cr, 145, cy, 5, 5);
    SetShade(cr, 145, cy, 5, Hex(0xFFFFFF), Hex(0x9A9AB0));
    FillAndOutline(cr, kInk, 1.6);
}

void DrawTorpedoScore(cairo_t* cr, int w, int h, int) {
    const double cx = w / 2.0;
    cairo_move_to(cr, 1, h - 1.0);
    cairo_line_to(cr, cx, h - 9.0);
    cairo_line_to(cr, w - 1.0, h - 1.0);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x8A5AE0));
    FillAndOutline(cr, kInk, 1.2);
    RoundRectPath(cr, 1.5, 9, w - 3.0, h - 15.0, 3);
    SetVertical(cr, 0, h, Hex(0xFF9DB4), Hex(0xB81E46));
    FillAndOutline(cr, kInk, 1.2);
    EllipsePath(cr, cx, 9, w / 2.0 - 1.2, 8);
    SetShade(cr, cx, 8, 6, Lighter(kLatex, 0.5), kLatexDeep);
    FillAndOutline(cr, kInk, 1.2);
}

void DrawRohr(cairo_t* cr, int w, int h, int picture) {
    const double cy = h / 2.0;
    // The barrel runs off to the right, out of the screen.
    cairo_rectangle(cr, 20, cy - 31, w, 62);
    SetVertical(cr, cy - 31, cy + 31, Hex(0xFF9AD6), Hex(0x6A0E48));
    cairo_fill(cr);
    cairo_move_to(cr, 20, cy - 31);
    cairo_line_to(cr, w, cy - 31);
    cairo_move_to(cr, 20, cy + 31);
    cairo_line_to(cr, w, cy + 31);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    Gloss(cr, 70, cy - 18, 40, 5, 0.75);
    for (double x : {56.0, 86.0}) {
        EllipsePath(cr, x, cy, 7, 31);
        cairo_set_line_width(cr, 7);
        SetColor(cr, kInk);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 4);
        SetVertical(cr, cy - 31, cy + 31, Hex(0xFFF0A0), Hex(0xC08A1E));
        cairo_stroke(cr);
    }
    // The flared mouth.
    EllipsePath(cr, 19, cy, 15, 44);
    SetVertical(cr, cy - 44, cy + 44, Hex(0xFFF6C8), Hex(0xC8862A));
    FillAndOutline(cr, kInk, 3);
    EllipsePath(cr, 17, cy, 9.5, 34);
    cairo_pattern_t* p = cairo_pattern_create_radial(20, cy, 2, 17, cy, 34);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.1, 0.02, 0.08);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.35, 0.08, 0.22);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    FillAndOutline(cr, kInk, 2);
    Gloss(cr, 14, cy - 30, 4, 8, 0.8);
    if (picture == 1) {
        // Loaded: the next condom's tip shows in the mouth.
        EllipsePath(cr, 12, cy, 3, 5);
        EllipsePath(cr, 17, cy, 6, 17);
        SetColor(cr, kLatexInk);
        cairo_set_line_width(cr, 3.4);
        cairo_stroke_preserve(cr);
        SetShade(cr, 16, cy, 16, Lighter(kLatex, 0.5), kLatexDeep);
        cairo_fill(cr);
        Gloss(cr, 15, cy - 7, 2.5, 5, 0.9);
    }
}
