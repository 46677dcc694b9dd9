// Cairo drawing surfaces and the shared brushes of the game's cartoon look:
// dark outlines, soft radial shading, glossy highlights and outlined lettering.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

struct Rgb {
    double r, g, b;
};
Rgb Hex(std::uint32_t rgb);
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // towards white
Rgb Darker(Rgb c, double t);   // towards black

// An ARGB32 (premultiplied) cairo image with its drawing context.
class Canvas {
public:
    Canvas(int width, int height);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_.get(); }
    cairo_surface_t* surface() const { return surface_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // Premultiplied ARGB of a pixel (flushes pending drawing first).
    std::uint32_t Pixel(int x, int y) const;

private:
    int width_, height_;
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface_;
    std::unique_ptr<cairo_t, void (*)(cairo_t*)> cr_;
};

// Restores the cairo state when it goes out of scope.
class SavedState {
public:
    explicit SavedState(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~SavedState() { cairo_restore(cr_); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    cairo_t* cr_;
};

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r);
// Source = radial gradient lit from the upper left of the given circle.
void SetShade(cairo_t* cr, double cx, double cy, double r, Rgb light, Rgb dark, double alpha = 1.0);
// Source = vertical linear gradient.
void SetVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);
// Fills the current path with the current source, then strokes it in the outline colour.
void FillAndOutline(cairo_t* cr, Rgb outline, double width, double outlineAlpha = 1.0);
// A soft white gloss spot, the cartoon highlight.
void Gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha);
// A cartoon eye: white ball, outline, pupil looking by (lookX, lookY) in -1..1,
// the upper lid closed by lid (0 open .. 1 shut).
void Eye(cairo_t* cr, double cx, double cy, double r, double lookX, double lookY, double lid, Rgb outline);

// The display face of all lettering, and a plain bold face for small print.
enum class Face { Display, Plain };
void SelectFace(cairo_t* cr, Face face, double size);
double TextWidth(cairo_t* cr, const std::string& text);

struct Lettering {
    Face face = Face::Display;
    double size = 40;
    Rgb top = {1, 1, 1}, bottom = {1, 1, 1};  // fill gradient over the letter height
    Rgb outline = {0.2, 0.05, 0.1};
    double outlineWidth = 4;
    double shadow = 0;  // offset of a dark drop shadow, 0 for none
    double alpha = 1;
};
// Draws text centred on (cx, baselineY); shrinks the size so it fits maxWidth.
void DrawLettering(cairo_t* cr, const std::string& text, double cx, double baselineY, Lettering style,
                   double maxWidth = 1e9);
// The baseline that centres capitals of the style's size vertically on cy.
double CentredBaseline(cairo_t* cr, const std::string& text, double cy, const Lettering& style);
