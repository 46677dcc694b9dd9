// Cairo drawing surfaces and the shared cartoon brushes.
#include "canvas.h"

#include <algorithm>
#include <cmath>

Rgb Hex(std::uint32_t rgb) {
    return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Lighter(Rgb c, double t) {
    return Mix(c, {1, 1, 1}, t);
}
Rgb Darker(Rgb c, double t) {
    return Mix(c, {0, 0, 0}, t);
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy),
      cr_(cairo_create(surface_.get()), cairo_destroy) {}

std::uint32_t Canvas::Pixel(int x, int y) const {
    cairo_surface_flush(surface_.get());
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());
    return reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
}

void SetColor(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    SavedState s(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, std::max(rx, 0.01), std::max(ry, 0.01));
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void SetShade(cairo_t* cr, double cx, double cy, double r, Rgb light, Rgb dark, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r * 1.05);
    cairo_pattern_add_color_stop_rgba(p, 0, light.r, light.g, light.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, dark.r, dark.g, dark.b, alpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void SetVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void FillAndOutline(cairo_t* cr, Rgb outline, double width, double outlineAlpha) {
    cairo_fill_preserve(cr);
    SetColor(cr, outline, outlineAlpha);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    SavedState s(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, std::max(rx, 0.01), std::max(ry, 0.01));
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.6, 1, 1, 1, alpha * 0.6);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Eye(cairo_t* cr, double cx, double cy, double r, double lookX, double lookY, double lid, Rgb outline) {
    SavedState s(cr);
    EllipsePath(cr, cx, cy, r, r * 1.15);
    SetShade(cr, cx, cy, r * 1.1, {1, 1, 1}, {0.85, 0.85, 0.92});
    FillAndOutline(cr, outline, std::max(1.0, r * 0.22));
    EllipsePath(cr, cx, cy, r * 0.95, r * 1.1);
    cairo_clip(cr);
    const double px = cx + lookX * r * 0.4, py = cy + lookY * r * 0.45;
    EllipsePath(cr, px, py, r * 0.55, r * 0.62);
    SetColor(cr, {0.08, 0.04, 0.1});
    cairo_fill(cr);
    EllipsePath(cr, px - r * 0.18, py - r * 0.22, r * 0.18, r * 0.18);
    SetColor(cr, {1, 1, 1});
    cairo_fill(cr);
    if (lid > 0) {
        cairo_rectangle(cr, cx - r * 1.2, cy - r * 1.3, r * 2.4, r * 2.5 * lid);
        SetColor(cr, outline);
        cairo_fill(cr);
    }
}

void SelectFace(cairo_t* cr, Face face, double size) {
    if (face == Face::Display)
        cairo_select_font_face(cr, "URW Bookman", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    else
        cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

double CentredBaseline(cairo_t* cr, const std::string& text, double cy, const Lettering& style) {
    SavedState s(cr);
    SelectFace(cr, style.face, style.size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return cy - (e.y_bearing + e.height / 2);
}

void DrawLettering(cairo_t* cr, const std::string& text, double cx, double baselineY, Lettering style,
                   double maxWidth) {
    SavedState s(cr);
    SelectFace(cr, style.face, style.size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    const double room = maxWidth - style.outlineWidth - std::max(0.0, style.shadow);
    if (e.width > room && e.width > 0) {
        style.size *= room / e.width;
        SelectFace(cr, style.face, style.size);
        cairo_text_extents(cr, text.c_str(), &e);
    }
    const double x = cx - (e.x_bearing + e.width / 2);
    if (style.shadow > 0) {
        cairo_move_to(cr, x + style.shadow, baselineY + style.shadow);
        cairo_text_path(cr, text.c_str());
        SetColor(cr, Darker(style.outline, 0.3), 0.55 * style.alpha);
        cairo_set_line_width(cr, style.outlineWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, baselineY);
    cairo_text_path(cr, text.c_str());
    SetColor(cr, style.outline, style.alpha);
    cairo_set_line_width(cr, style.outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    SetVertical(cr, baselineY + e.y_bearing, baselineY, style.top, style.bottom, style.alpha);
    cairo_fill(cr);
}
