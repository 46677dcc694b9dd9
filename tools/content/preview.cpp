// The contact sheet.
#include "preview.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "image_files.h"

namespace {

constexpr int kPage = 1500, kMargin = 12, kLabel = 20, kMaxCard = 720;

std::unique_ptr<Canvas> AsShown(const PreviewItem& item) {
    if (item.sprite) return ShownSheet(*item.canvas, item.masked);
    auto out = std::make_unique<Canvas>(item.canvas->width(), item.canvas->height());
    cairo_set_source_surface(out->cr(), item.canvas->surface(), 0, 0);
    cairo_paint(out->cr());
    return out;
}

}  // namespace

std::unique_ptr<Canvas> ShownSheet(const Canvas& sheet, bool masked) {
    auto out = std::make_unique<Canvas>(sheet.width(), sheet.height());
    cairo_surface_t* s = out->surface();
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < out->height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < out->width(); ++x) {
            const std::uint32_t src = sheet.Pixel(x, y);
            const std::uint32_t c = SheetColour(src, masked);
            if (c == 0) {
                row[x] = 0;
                continue;
            }
            const std::uint32_t a = masked ? src >> 24 : 255;
            auto pm = [a](std::uint32_t v) { return (v * a + 127) / 255; };
            row[x] = (a << 24) | (pm((c >> 16) & 255) << 16) | (pm((c >> 8) & 255) << 8) | pm(c & 255);
        }
    }
    cairo_surface_mark_dirty(s);
    return out;
}

namespace {

struct Card {
    const PreviewItem* item;
    double scale;
    int perRow, w, h, x, y;
};

Card Measure(const PreviewItem& item) {
    Card c{&item, 1, 1, 0, 0, 0, 0};
    const bool scene = item.label.rfind("Sample", 0) == 0;
    const double maxFrameH = item.sprite ? 130.0 : (scene ? 600.0 : 300.0);
    c.scale = std::min({1.0, maxFrameH / item.frameH, (kMaxCard - 8.0) / item.frameW});
    const int fw = static_cast<int>(std::ceil(item.frameW * c.scale)) + 4;
    const int fh = static_cast<int>(std::ceil(item.frameH * c.scale)) + 4;
    c.perRow = std::max(1, std::min(item.pictures, (kMaxCard - 8) / fw));
    const int rows = (item.pictures + c.perRow - 1) / c.perRow;
    c.w = std::max(c.perRow * fw + 8, 200);
    c.h = kLabel + rows * fh + 8;
    return c;
}

void DrawCard(cairo_t* cr, const Card& c) {
    const PreviewItem& item = *c.item;
    RoundRectPath(cr, c.x, c.y, c.w, c.h, 6);
    SetVertical(cr, c.y, c.y + c.h, Hex(0x8A2A4A), Hex(0x4A0A24));
    cairo_fill(cr);
    SetColor(cr, {1, 1, 1});
    SelectFace(cr, Face::Plain, 12);
    cairo_move_to(cr, c.x + 6, c.y + 14);
    cairo_show_text(cr, item.label.c_str());
    const auto shown = AsShown(item);
    const int fw = static_cast<int>(std::ceil(item.frameW * c.scale)) + 4;
    const int fh = static_cast<int>(std::ceil(item.frameH * c.scale)) + 4;
    for (int k = 0; k < item.pictures; ++k) {
        const int col = k % item.columns, row = k / item.columns;
        const double x = c.x + 4 + (k % c.perRow) * fw + 2, y = c.y + kLabel + (k / c.perRow) * fh + 2;
        SavedState s(cr);
        cairo_rectangle(cr, x - 1, y - 1, item.frameW * c.scale + 2, item.frameH * c.scale + 2);
        SetColor(cr, {1, 1, 1}, 0.12);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_rectangle(cr, x, y, item.frameW * c.scale, item.frameH * c.scale);
        cairo_clip(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, c.scale, c.scale);
        cairo_set_source_surface(cr, shown->surface(), -col * item.frameW, -row * item.frameH);
        cairo_paint(cr);
    }
}

}  // namespace

void WritePreview(const std::vector<PreviewItem>& items, const std::string& path) {
    std::vector<Card> cards;
    int x = kMargin, y = kMargin + 40, rowH = 0;
    for (const PreviewItem& item : items) {
        Card c = Measure(item);
        if (x + c.w > kPage - kMargin) x = kMargin, y += rowH + kMargin, rowH = 0;
        c.x = x, c.y = y;
        x += c.w + kMargin;
        rowH = std::max(rowH, c.h);
        cards.push_back(c);
    }
    Canvas page(kPage, y + rowH + kMargin);
    cairo_t* cr = page.cr();
    SetColor(cr, Hex(0x24101C));
    cairo_paint(cr);
    SetColor(cr, {1, 1, 1});
    SelectFace(cr, Face::Plain, 22);
    cairo_move_to(cr, kMargin, 32);
    cairo_show_text(cr, "Vantorel content: sprite sheets (key and masks applied) and pictures");
    for (const Card& c : cards) DrawCard(cr, c);
    if (cairo_surface_write_to_png(page.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}
