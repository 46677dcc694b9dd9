// Digits, point values, titles, labels and the two logos.
#include <cmath>
#include <string>

#include "art.h"
#include "canvas.h"

namespace {

const Rgb kPlum = Hex(0x3A0A2A);

Lettering Gold(double size, double outline) {
    Lettering l;
    l.size = size;
    l.top = Hex(0xFFFBE0);
    l.bottom = Hex(0xFFB22E);
    l.outline = kPlum;
    l.outlineWidth = outline;
    return l;
}

void Centred(cairo_t* cr, const std::string& text, int w, int h, const Lettering& style, double margin = 4) {
    DrawLettering(cr, text, w / 2.0, CentredBaseline(cr, text, h / 2.0, style), style, w - 2 * margin);
}

void HeartPath(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy + r * 0.95);
    cairo_curve_to(cr, cx - r * 1.25, cy + r * 0.1, cx - r * 1.05, cy - r * 1.05, cx, cy - r * 0.42);
    cairo_curve_to(cr, cx + r * 1.05, cy - r * 1.05, cx + r * 1.25, cy + r * 0.1, cx, cy + r * 0.95);
    cairo_close_path(cr);
}

}  // namespace

void DrawZahlen(cairo_t* cr, int w, int h, int picture) {
    if (picture == 10) {
        DrawMiniCondom(cr, w / 2.0, h / 2.0, 44);
        return;
    }
    Centred(cr, std::to_string(picture), w, h, Gold(62, 5), 3);
}

void DrawBigNumbers(cairo_t* cr, int w, int h, int picture) {
    Lettering l;
    l.size = 250;
    l.top = Hex(0xFFF6B0);
    l.bottom = Hex(0xFF3A2A);
    l.outline = kPlum;
    l.outlineWidth = 12;
    l.shadow = 7;
    Centred(cr, std::to_string(picture), w, h, l, 8);
}

void DrawCongratulations(cairo_t* cr, int w, int h, int picture) {
    static const std::uint32_t hues[6] = {0xFF5A8A, 0xFFB03A, 0xFFE84A, 0x7AE05A, 0x4AC8FF, 0xB58AFF};
    const std::string word = "congratulations!";
    Lettering l;
    l.size = 46;
    l.top = Lighter(Hex(hues[picture % 6]), 0.65);
    l.bottom = Hex(hues[picture % 6]);
    l.outline = kPlum;
    l.outlineWidth = 4.5;
    Centred(cr, std::string(1, word[static_cast<std::size_t>(picture)]), w, h, l, 2);
}

void DrawPoints(cairo_t* cr, int w, int h, int picture) {
    int value;
    if (picture < 25)
        value = (picture - 25) * 10;
    else if (picture < 50)
        value = (picture - 24) * 10;
    else
        value = 500;
    Lettering l;
    l.face = Face::Plain;
    l.size = 18;
    l.outlineWidth = 3.2;
    l.outline = kPlum;
    if (value < 0) {
        l.top = Hex(0xFFD0D0);
        l.bottom = Hex(0xFF4A5A);
    } else if (value == 500) {
        l.top = Hex(0xFFFFFF);
        l.bottom = Hex(0xFFC400);
    } else {
        l.top = Hex(0xF0FFD0);
        l.bottom = Hex(0x7AE05A);
    }
    const std::string text = (value > 0 ? "+" : "") + std::to_string(value);
    Centred(cr, text, w, h, l, 2);
}

void DrawGameover(cairo_t* cr, int w, int h, int) {
    Lettering l;
    l.size = 66;
    l.top = Hex(0xFFD6E0);
    l.bottom = Hex(0xE0103A);
    l.outline = kPlum;
    l.outlineWidth = 7;
    l.shadow = 4;
    Centred(cr, "GAME OVER", w, h, l, 6);
}

void DrawScoreLabel(cairo_t* cr, int w, int h, int) {
    Centred(cr, "SCORE", w, h, Gold(34, 4.5), 3);
}

void DrawTimeLabel(cairo_t* cr, int w, int h, int) {
    Centred(cr, "TIME", w, h, Gold(33, 4.5), 3);
}

void DrawButtonToStart(cairo_t* cr, int w, int h, int) {
    Lettering l;
    l.size = 44;
    l.top = Hex(0xFFFFFF);
    l.bottom = Hex(0xFFD2EC);
    l.outline = kPlum;
    l.outlineWidth = 6;
    l.shadow = 3;
    Centred(cr, "Click to start", w, h, l, 6);
    // A little condom on each side points at the words.
    DrawMiniCondom(cr, 150, h / 2.0, 40);
    DrawMiniCondom(cr, w - 150.0, h / 2.0, 40);
}

void DrawTitle(cairo_t* cr, int w, int h, int) {
    const std::string title = "VANTOREL";
    Lettering l;
    l.size = 66;
    l.top = Hex(0xFFFFFF);
    l.bottom = Hex(0xFF3F8E);
    l.outline = kPlum;
    l.outlineWidth = 7;
    l.shadow = 4;
    SelectFace(cr, l.face, l.size);
    double total = 0, gap = 22;
    for (char c : title) total += TextWidth(cr, std::string(1, c)) + gap;
    total -= gap;
    const double scale = std::min(1.0, (w - 16) / total);
    l.size *= scale;
    gap *= scale;
    SelectFace(cr, l.face, l.size);
    double x = (w - total * scale) / 2;
    for (std::size_t i = 0; i < title.size(); ++i) {
        const std::string c(1, title[i]);
        const double cw = TextWidth(cr, c);
        const double bounce = (i % 2 ? -2.5 : 2.5);
        SavedState s(cr);
        cairo_translate(cr, x + cw / 2, h / 2.0 + bounce);
        cairo_rotate(cr, (i % 2 ? 3 : -3) * M_PI / 180);
        DrawLettering(cr, c, 0, CentredBaseline(cr, c, 0, l), l);
        x += cw + gap;
    }
}

void DrawPlayAndWin(cairo_t* cr, int w, int h, int) {
    Lettering l;
    l.size = 28;
    l.top = Hex(0xFFFFC0);
    l.bottom = Hex(0xFF9A1A);
    l.outline = kPlum;
    l.outlineWidth = 4;
    Centred(cr, "play and win!", w, h, l, 3);
}

void DrawVelmoraEmblem(cairo_t* cr, double cx, double cy, double r, double shine) {
    EllipsePath(cr, cx, cy, r, r);
    SetShade(cr, cx, cy, r, Hex(0xFFFFFF), Hex(0xFFC6DC));
    FillAndOutline(cr, kPlum, std::max(1.5, r * 0.07));
    EllipsePath(cr, cx, cy, r * 0.86, r * 0.86);
    SetColor(cr, Hex(0xE0306A));
    cairo_set_line_width(cr, std::max(1.0, r * 0.05));
    cairo_stroke(cr);
    HeartPath(cr, cx, cy - r * 0.12, r * 0.62);
    SetShade(cr, cx, cy - r * 0.12, r * 0.62, Hex(0xFF8AB0), Hex(0xC8102E));
    FillAndOutline(cr, kPlum, std::max(1.2, r * 0.06));
    Gloss(cr, cx - r * 0.25, cy - r * 0.4, r * 0.16, r * 0.1, 0.9);
    // Ribbon with the name.
    const double ry = cy + r * 0.42;
    RoundRectPath(cr, cx - r * 1.08, ry - r * 0.2, r * 2.16, r * 0.4, r * 0.08);
    SetVertical(cr, ry - r * 0.2, ry + r * 0.2, Hex(0xFFF1A0), Hex(0xF0A020));
    FillAndOutline(cr, kPlum, std::max(1.2, r * 0.05));
    Lettering l;
    l.size = r * 0.36;
    l.top = Hex(0xC8102E);
    l.bottom = Hex(0x7A0620);
    l.outline = {1, 1, 1};
    l.outlineWidth = std::max(1.0, r * 0.04);
    DrawLettering(cr, "VELMORA", cx, CentredBaseline(cr, "VELMORA", ry, l), l, r * 1.95);
    if (shine > 0 && shine < 1) {
        SavedState s(cr);
        EllipsePath(cr, cx, cy, r, r);
        cairo_clip(cr);
        const double x = cx - r * 1.6 + shine * r * 3.2;
        cairo_move_to(cr, x - r * 0.25, cy - r);
        cairo_line_to(cr, x + r * 0.1, cy - r);
        cairo_line_to(cr, x - r * 0.2, cy + r);
        cairo_line_to(cr, x - r * 0.55, cy + r);
        cairo_close_path(cr);
        SetColor(cr, {1, 1, 1}, 0.55);
        cairo_fill(cr);
    }
}

void DrawVelmoraLogo(cairo_t* cr, int w, int h, int picture) {
    const double pulse = 1 + 0.03 * std::sin(2 * M_PI * picture / 12.0);
    DrawVelmoraEmblem(cr, w / 2.0, h / 2.0, (std::min(w, h) / 2.0 - 3) * pulse, picture / 8.0 - 0.2);
}

void DrawTitleVelmora(cairo_t* cr, int w, int h, int) {
    DrawVelmoraEmblem(cr, h / 2.0 + 1, h / 2.0, h / 2.0 - 1.5, 0);
    Lettering l;
    l.size = 21;
    l.top = Hex(0xFFFFFF);
    l.bottom = Hex(0xFFC8E0);
    l.outline = kPlum;
    l.outlineWidth = 3.5;
    const double left = h + 4;
    DrawLettering(cr, "a Velmora campaign", (left + w) / 2.0,
                  CentredBaseline(cr, "a Velmora campaign", h / 2.0, l), l, w - left - 2);
}

void DrawMakerLogo(cairo_t* cr, int w, int h, int) {
    // Kobalt Bay, the makers: a cobalt badge with a wave, and the name.
    const double s = h - 8.0;
    RoundRectPath(cr, 4, 4, s, s, s * 0.25);
    SetVertical(cr, 4, 4 + s, Hex(0x6AB8FF), Hex(0x1A3AA8));
    FillAndOutline(cr, Hex(0x0A1240), 3);
    cairo_move_to(cr, 10, 4 + s * 0.62);
    cairo_curve_to(cr, 4 + s * 0.3, 4 + s * 0.35, 4 + s * 0.55, 4 + s * 0.85, s - 2, 4 + s * 0.5);
    SetColor(cr, {1, 1, 1});
    cairo_set_line_width(cr, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    EllipsePath(cr, 4 + s * 0.7, 4 + s * 0.28, s * 0.1, s * 0.1);
    SetColor(cr, Hex(0xFFE45A));
    cairo_fill(cr);
    const double left = s + 12;
    Lettering l;
    l.size = 30;
    l.top = Hex(0xFFFFFF);
    l.bottom = Hex(0x9AD0FF);
    l.outline = Hex(0x0A1240);
    l.outlineWidth = 5;
    DrawLettering(cr, "KOBALT BAY", (left + w) / 2.0, h * 0.56, l, w - left - 4);
    Lettering sub;
    sub.face = Face::Plain;
    sub.size = 14;
    sub.outline = Hex(0x0A1240);
    sub.outlineWidth = 3;
    DrawLettering(cr, "creative house", (left + w) / 2.0, h - 6.0, sub, w - left - 4);
}
