// The swimmers and the viruses: white-to-pearl sperms with lively tails, the
// sperm in its bubble, three spiky viruses with faces, and the glass bubbles.
#include <cmath>
#include <vector>

#include "art.h"
#include "canvas.h"

namespace {

const Rgb kInk = Hex(0x3A1838);

struct SpermLook {
    Rgb headLight, headDark, tailLight, tailDark;
    bool shades;
};

// A tapered ribbon along a travelling wave: the tail moves from head to tip.
void Tail(cairo_t* cr, double x0, double x1, double cy, double phase, double maxAmp, double thick,
          const SpermLook& look) {
    const int n = 90;
    std::vector<double> xs(n), ys(n), hw(n);
    for (int i = 0; i < n; ++i) {
        const double s = static_cast<double>(i) / (n - 1);
        xs[i] = x0 + (x1 - x0) * s;
        const double amp = maxAmp * (0.12 + 0.88 * s) * std::min(1.0, s * 4);
        ys[i] = cy + amp * std::sin(s * 2.4 * M_PI - phase);
        hw[i] = thick * (1 - 0.8 * s) + 0.9;
    }
    cairo_new_path(cr);
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 0; k < n; ++k) {
            const int i = pass == 0 ? k : n - 1 - k;
            const int a = std::max(0, i - 1), b = std::min(n - 1, i + 1);
            double tx = xs[b] - xs[a], ty = ys[b] - ys[a];
            const double len = std::hypot(tx, ty);
            tx /= len, ty /= len;
            const double side = pass == 0 ? 1 : -1;
            const double px = xs[i] - ty * hw[i] * side, py = ys[i] + tx * hw[i] * side;
            if (k == 0 && pass == 0)
                cairo_move_to(cr, px, py);
            else
                cairo_line_to(cr, px, py);
        }
    }
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, look.tailLight.r, look.tailLight.g, look.tailLight.b);
    cairo_pattern_add_color_stop_rgb(p, 1, look.tailDark.r, look.tailDark.g, look.tailDark.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    FillAndOutline(cr, kInk, 2.2);
}

void Sparkle(cairo_t* cr, double x, double y, double r, double alpha) {
    SavedState s(cr);
    cairo_move_to(cr, x - r, y);
    cairo_curve_to(cr, x - r * 0.2, y - r * 0.2, x - r * 0.2, y - r * 0.2, x, y - r);
    cairo_curve_to(cr, x + r * 0.2, y - r * 0.2, x + r * 0.2, y - r * 0.2, x + r, y);
    cairo_curve_to(cr, x + r * 0.2, y + r * 0.2, x + r * 0.2, y + r * 0.2, x, y + r);
    cairo_curve_to(cr, x - r * 0.2, y + r * 0.2, x - r * 0.2, y + r * 0.2, x - r, y);
    cairo_close_path(cr);
    SetColor(cr, {1, 0.98, 0.8}, alpha);
    cairo_fill(cr);
}

void EggHead(cairo_t* cr, double hx, double hy, double rx, double ry, const SpermLook& look) {
    cairo_new_path(cr);
    {
        SavedState s(cr);
        cairo_translate(cr, hx, hy);
        cairo_move_to(cr, rx, 0);
        cairo_curve_to(cr, rx, ry * 1.05, -rx * 0.6, ry * 1.1, -rx, ry * 0.2);
        cairo_curve_to(cr, -rx * 1.1, -ry * 0.5, -rx * 0.4, -ry * 1.05, rx * 0.2, -ry);
        cairo_curve_to(cr, rx * 0.8, -ry * 0.95, rx, -ry * 0.5, rx, 0);
        cairo_close_path(cr);
    }
    SetShade(cr, hx, hy, rx, look.headLight, look.headDark);
    FillAndOutline(cr, kInk, 2.6);
    Gloss(cr, hx - rx * 0.35, hy - ry * 0.5, rx * 0.35, ry * 0.22, 0.8);
    EllipsePath(cr, hx + rx * 0.05, hy + ry * 0.38, rx * 0.16, ry * 0.12);
    SetColor(cr, Hex(0xFF7FA8), 0.55);
    cairo_fill(cr);
}

// The rare golden one wears sunglasses and sparkles.
void CoolFace(cairo_t* cr, double hx, double hy, double rx, double ry, double phase) {
    const double ey = hy - ry * 0.22;
    for (int i = 0; i < 2; ++i) {
        const double ex = hx + rx * (0.18 + 0.45 * i);
        RoundRectPath(cr, ex - ry * 0.36, ey - ry * 0.3, ry * 0.72, ry * 0.55, ry * 0.2);
        SetVertical(cr, ey - ry * 0.3, ey + ry * 0.25, Hex(0x3A2A5A), Hex(0x0E0A18));
        FillAndOutline(cr, kInk, 1.6);
        cairo_move_to(cr, ex - ry * 0.22, ey - ry * 0.12);
        cairo_line_to(cr, ex - ry * 0.02, ey - ry * 0.22);
        SetColor(cr, {1, 1, 1}, 0.8);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, hx + rx * 0.36, ey - ry * 0.15);
    cairo_line_to(cr, hx + rx * 0.45, ey - ry * 0.15);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        const double a = phase + i * 2.1;
        Sparkle(cr, hx - rx * 0.2 + std::cos(a) * rx * 0.9, hy + std::sin(a) * ry * 0.9 - 2,
                2.5 + 2 * std::fabs(std::sin(a * 1.5)), 0.95);
    }
}

void Smile(cairo_t* cr, double x, double y, double r) {
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0.15 * M_PI, 0.85 * M_PI);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Sperm(cairo_t* cr, int w, int h, int picture, const SpermLook& look) {
    const double cy = h / 2.0;
    const double ry = h * 0.36, rx = ry * 1.38;
    const double phase = 2 * M_PI * picture / 12.0;
    const double hy = cy + std::sin(phase) * 1.2;
    const double hx = w - rx - 4;
    const double neck = hx - rx * 0.8;
    Tail(cr, neck, 8, hy, phase, cy - 9, 5.0, look);
    // The midpiece joins tail and head.
    EllipsePath(cr, neck + 2, hy, rx * 0.42, ry * 0.42);
    SetShade(cr, neck + 2, hy, rx * 0.42, look.headLight, look.headDark);
    FillAndOutline(cr, kInk, 2.2);
    EggHead(cr, hx, hy, rx, ry, look);
    if (look.shades) {
        CoolFace(cr, hx, hy, rx, ry, phase);
    } else {
        const double lid = picture == 6 ? 0.8 : (picture == 7 ? 0.4 : 0.0);
        Eye(cr, hx + rx * 0.2, hy - ry * 0.22, ry * 0.3, 0.8, 0.1, lid, kInk);
        Eye(cr, hx + rx * 0.62, hy - ry * 0.22 + 1, ry * 0.27, 0.8, 0.1, lid, kInk);
    }
    Smile(cr, hx + rx * 0.45, hy + ry * 0.22, ry * 0.28);
}

struct VirusLook {
    Rgb light, dark, knob, outline;
    int spikes;
    double spikeLen, knobR;
    int face;  // 0 grin, 1 cyclops, 2 fangs
};

void Spike(cairo_t* cr, double bx, double by, double tx, double ty, const VirusLook& v, double phase, int i) {
    cairo_move_to(cr, bx, by);
    cairo_line_to(cr, tx, ty);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, v.outline);
    cairo_set_line_width(cr, v.face == 2 ? 7 : 5);
    cairo_stroke_preserve(cr);
    SetColor(cr, v.dark);
    cairo_set_line_width(cr, v.face == 2 ? 4 : 2.4);
    cairo_stroke(cr);
    if (v.knobR > 0) {
        const double r = v.knobR * (1 + 0.18 * std::sin(phase * 2 + i));
        EllipsePath(cr, tx, ty, r, r);
        SetShade(cr, tx, ty, r, Lighter(v.knob, 0.5), v.knob);
        FillAndOutline(cr, v.outline, 1.6);
    }
}

void VirusFace(cairo_t* cr, double fx, double cy, double rx, double ry, double phase, double blink,
               const VirusLook& v) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (v.face == 1) {
        Eye(cr, fx, cy - ry * 0.2, ry * 0.42, 0.7, 0.1, blink, v.outline);
        cairo_new_path(cr);
        cairo_move_to(cr, fx - ry * 0.35, cy + ry * 0.5);
        cairo_curve_to(cr, fx - ry * 0.1, cy + ry * 0.35, fx + ry * 0.1, cy + ry * 0.35, fx + ry * 0.35,
                       cy + ry * 0.5);
        SetColor(cr, v.outline);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        cairo_move_to(cr, fx - ry * 0.12, cy + ry * 0.42);
        cairo_line_to(cr, fx - ry * 0.05, cy + ry * 0.58);
        cairo_line_to(cr, fx + ry * 0.02, cy + ry * 0.41);
        SetColor(cr, {1, 1, 1});
        cairo_fill(cr);
        return;
    }
    const double er = ry * (v.face == 2 ? 0.27 : 0.3);
    Eye(cr, fx - rx * 0.22, cy - ry * 0.25, er, 0.8, 0.2, blink + 0.2, v.outline);
    Eye(cr, fx + rx * 0.28, cy - ry * 0.22, er * 0.92, 0.8, 0.2, blink + 0.2, v.outline);
    // Angry brows.
    cairo_move_to(cr, fx - rx * 0.42, cy - ry * 0.62);
    cairo_line_to(cr, fx - rx * 0.05, cy - ry * 0.45);
    cairo_move_to(cr, fx + rx * 0.48, cy - ry * 0.6);
    cairo_line_to(cr, fx + rx * 0.12, cy - ry * 0.45);
    SetColor(cr, v.outline);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    // Mouth: a wide grin with teeth, or a roar with fangs.
    const double my = cy + ry * 0.35, mw = rx * (v.face == 2 ? 0.42 : 0.5);
    const double open = ry * (v.face == 2 ? 0.32 + 0.08 * std::sin(phase) : 0.22);
    cairo_new_path(cr);
    cairo_move_to(cr, fx - mw, my - open * 0.3);
    cairo_curve_to(cr, fx - mw * 0.5, my + open * 1.4, fx + mw * 0.5, my + open * 1.4, fx + mw,
                   my - open * 0.3);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x5A0A20));
    FillAndOutline(cr, v.outline, 2);
    if (v.face == 2) {
        for (int k = 0; k < 2; ++k) {
            const double tx = fx + (k ? mw * 0.45 : -mw * 0.45);
            cairo_move_to(cr, tx - 3, my - open * 0.1);
            cairo_line_to(cr, tx, my + open * 0.7);
            cairo_line_to(cr, tx + 3, my - open * 0.1);
            SetColor(cr, {1, 1, 1});
            cairo_fill(cr);
        }
    } else {
        cairo_rectangle(cr, fx - mw * 0.7, my - open * 0.25, mw * 1.4, open * 0.45);
        SetColor(cr, {1, 1, 0.95});
        cairo_fill(cr);
    }
}

void Virus(cairo_t* cr, int w, int h, int picture, const VirusLook& v) {
    const double phase = 2 * M_PI * picture / 12.0;
    const double cx = w / 2.0, cy = h / 2.0;
    const double pulse = 1 + 0.04 * std::sin(phase);
    const double reach = v.spikeLen + v.knobR + 2;
    const double rx = (w / 2.0 - reach) * pulse, ry = (h / 2.0 - reach) * (2 - pulse);
    const double turn = phase / v.spikes;
    for (int i = 0; i < v.spikes; ++i) {
        const double a = 2 * M_PI * i / v.spikes + turn;
        const double len = v.spikeLen * (0.85 + 0.15 * std::sin(phase + i * 1.7));
        const double bx = cx + std::cos(a) * rx * 0.8, by = cy + std::sin(a) * ry * 0.8;
        Spike(cr, bx, by, cx + std::cos(a) * (rx + len), cy + std::sin(a) * (ry + len), v, phase, i);
    }
    EllipsePath(cr, cx, cy, rx, ry);
    SetShade(cr, cx, cy, std::max(rx, ry), v.light, v.dark);
    FillAndOutline(cr, v.outline, 2.6);
    // Blotches give the skin some texture.
    const double spots[4][3] = {{-0.55, 0.45, 0.16}, {-0.2, 0.7, 0.1}, {-0.7, -0.1, 0.1}, {0.1, -0.72, 0.09}};
    for (const auto& s : spots) {
        EllipsePath(cr, cx + s[0] * rx, cy + s[1] * ry, s[2] * rx, s[2] * ry);
        SetColor(cr, v.dark, 0.55);
        cairo_fill(cr);
    }
    Gloss(cr, cx - rx * 0.4, cy - ry * 0.5, rx * 0.3, ry * 0.18, 0.7);
    VirusFace(cr, cx + rx * 0.22, cy, rx, ry, phase, picture == 9 ? 0.85 : 0.0, v);
}

void GlassBall(cairo_t* cr, double cx, double cy, double rx, double ry) {
    const double r = std::max(rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.85, 0.95, 1, 0.1);
    cairo_pattern_add_color_stop_rgba(p, 0.7, 0.75, 0.88, 1, 0.16);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.95, 0.8, 1, 0.7);
    EllipsePath(cr, cx, cy, rx, ry);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0xEAF8FF), 0.9);
    cairo_set_line_width(cr, std::max(1.0, r * 0.07));
    cairo_stroke(cr);
    Gloss(cr, cx - rx * 0.38, cy - ry * 0.42, rx * 0.3, ry * 0.2, 0.95);
    Gloss(cr, cx + rx * 0.45, cy + ry * 0.45, rx * 0.12, ry * 0.08, 0.6);
}

}  // namespace

void DrawSperm1(cairo_t* cr, int w, int h, int picture) {
    Sperm(cr, w, h, picture, {Hex(0xFFFFFF), Hex(0xC9BFE0), Hex(0xFBF7FF), Hex(0xB7A9D6), false});
}

void DrawSperm3(cairo_t* cr, int w, int h, int picture) {
    Sperm(cr, w, h, picture, {Hex(0xFFF8D0), Hex(0xE6A22E), Hex(0xFFF1B0), Hex(0xE0A040), true});
}

void DrawBubbleSperm(cairo_t* cr, int w, int h, int picture) {
    const double cx = w / 2.0, cy = h / 2.0;
    const double phase = 2 * M_PI * picture / 24.0;
    {
        // A tiny sperm curled up inside, turning once per cycle.
        SavedState s(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, phase);
        cairo_new_path(cr);
        for (int i = 0; i <= 30; ++i) {
            const double t = i / 30.0;
            const double a = M_PI * (1.0 + 1.3 * t);
            const double rr = 5 + 12 * t + std::sin(t * 9 - phase * 3) * 1.5;
            const double x = std::cos(a) * rr + 4, y = std::sin(a) * rr;
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        SetColor(cr, kInk);
        cairo_set_line_width(cr, 4.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        SetColor(cr, Hex(0xF4EEFF));
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        EllipsePath(cr, 6, 0, 10, 7.5);
        SetShade(cr, 6, 0, 10, Hex(0xFFFFFF), Hex(0xC9BFE0));
        FillAndOutline(cr, kInk, 1.8);
        EllipsePath(cr, 9.5, -2.2, 1.8, 2.1);
        EllipsePath(cr, 13.5, -1.6, 1.6, 1.9);
        SetColor(cr, kInk);
        cairo_fill(cr);
    }
    const double wob = 0.04 * std::sin(phase * 2);
    GlassBall(cr, cx, cy, (w / 2.0 - 3) * (1 + wob), (h / 2.0 - 3) * (1 - wob));
}

void DrawVirus1(cairo_t* cr, int w, int h, int picture) {
    Virus(cr, w, h, picture, {Hex(0xB8F27A), Hex(0x3E9A2A), Hex(0xE8FF7A), Hex(0x163A14), 11, 6, 3.2, 0});
}

void DrawVirus2(cairo_t* cr, int w, int h, int picture) {
    Virus(cr, w, h, picture, {Hex(0xE2C6FF), Hex(0x6A36B8), Hex(0xFF8AD8), Hex(0x261040), 13, 9, 2.6, 1});
}

void DrawVirus3(cairo_t* cr, int w, int h, int picture) {
    Virus(cr, w, h, picture, {Hex(0xFFD27A), Hex(0xD8541A), Hex(0xFFF06A), Hex(0x4A1606), 9, 9, 3.6, 2});
}

void DrawGlassBubble(cairo_t* cr, int w, int h, int) {
    GlassBall(cr, w / 2.0, h / 2.0, w / 2.0 - 1, h / 2.0 - 1);
}
