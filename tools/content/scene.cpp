// Sample frames composed from the generated art.
#include "scene.h"

#include <cstdint>
#include <stdexcept>

#include "preview.h"

namespace {

class Stage {
public:
    Stage(const std::map<std::string, SceneSheet>& sheets, const Canvas& back)
        : sheets_(sheets), canvas_(std::make_unique<Canvas>(800, 600)) {
        cairo_set_source_surface(cr(), back.surface(), 0, 0);
        cairo_paint(cr());
    }
    cairo_t* cr() const { return canvas_->cr(); }

    // Picture `picture` (0-based) of a graphic object centred on (cx, cy).
    void Sprite(const std::string& name, int picture, double cx, double cy, double alpha = 1.0) {
        const auto it = sheets_.find(name);
        if (it == sheets_.end()) throw std::runtime_error("scene: no sheet " + name);
        const GoSpec& go = *it->second.spec;
        auto& shown = shown_[name];
        if (!shown) shown = ShownSheet(*it->second.sheet, go.masked);
        const double x = cx - go.frameW / 2.0, y = cy - go.frameH / 2.0;
        const int col = picture % go.columns, row = picture / go.columns;
        SavedState s(cr());
        cairo_rectangle(cr(), x, y, go.frameW, go.frameH);
        cairo_clip(cr());
        cairo_set_source_surface(cr(), shown->surface(), x - col * go.frameW, y - row * go.frameH);
        cairo_paint_with_alpha(cr(), alpha);
    }
    // A number painted from digit pictures, centred on (cx, cy).
    void Number(const std::string& digits, const std::string& font, double cx, double cy) {
        const GoSpec& go = *sheets_.at(font).spec;
        double x = cx - go.frameW * (digits.size() - 1) / 2.0;
        for (char c : digits) {
            Sprite(font, c == '-' ? 10 : c - '0', x, cy);
            x += go.frameW;
        }
    }
    std::unique_ptr<Canvas> Take() { return std::move(canvas_); }

private:
    const std::map<std::string, SceneSheet>& sheets_;
    std::map<std::string, std::unique_ptr<Canvas>> shown_;
    std::unique_ptr<Canvas> canvas_;
};

std::int32_t Field(const std::string& front, std::size_t record, int k) {
    std::uint32_t v = 0;
    for (int b = 3; b >= 0; --b) v = v << 8 | static_cast<std::uint8_t>(front[record * 16 + k * 4 + b]);
    return static_cast<std::int32_t>(v);
}

const char* kElements[11] = {"",
                             "ELEMENT_BODEN_1",
                             "ELEMENT_BODEN_2",
                             "ELEMENT_BODEN_3",
                             "ELEMENT_BODEN_4",
                             "ELEMENT_DECKE_1",
                             "ELEMENT_DECKE_2",
                             "ELEMENT_DECKE_3",
                             "ELEMENT_DECKE_4",
                             "ELEMENT_SAEULE",
                             "ELEMENT_SCHLANGE"};

}  // namespace

std::unique_ptr<Canvas> ComposePlayScene(const std::map<std::string, SceneSheet>& sheets, const Canvas& back,
                                         const std::string& front) {
    Stage st(sheets, back);
    for (auto [name, pic, x, y] : {std::tuple{"P6", 0, 250.0, 150.0},
                                   {"P7", 0, 262.0, 118.0},
                                   {"P8", 0, 255.0, 95.0},
                                   {"P4", 0, 470.0, 500.0},
                                   {"P3", 0, 90.0, 520.0},
                                   {"P5", 0, 610.0, 170.0}})
        st.Sprite(name, pic, x, y);
    st.Sprite("SPERM1", 3, 150, 200);
    st.Sprite("SPERM1", 8, 260, 330);
    st.Sprite("SPERM3", 5, 30, 262);
    st.Sprite("BUBBLE", 7, 330, 445);
    st.Sprite("VIRUS1", 2, 560, 130);
    st.Sprite("VIRUS2", 6, 160, 400);
    st.Sprite("VIRUS3", 4, 640, 470);
    // A catch: the condom unrolled over a sperm, riding along with it.
    st.Sprite("SPERM1", 5, 420, 270);
    st.Sprite("KONDOM", 4, 420 + 153 - 120, 270, 165 / 255.0);
    st.Sprite("POINTS", 34, 470, 235);
    st.Sprite("SCHUSS", 0, 690, 130);
    st.Sprite("POINTS", 20, 740, 110);
    st.Sprite("ROHR", 1, 820, 130);
    // The cave in front, at a scroll position from the middle of a game.
    const int scroll = -9000;
    for (std::size_t r = 0; r < 300; ++r) {
        const int type = Field(front, r, 3);
        if (Field(front, r, 0) == -1 || type < 1 || type > 10) continue;
        const double x = Field(front, r, 0) - scroll;
        if (x > -400 && x < 1200) st.Sprite(kElements[type], 0, x, Field(front, r, 1));
    }
    st.Sprite("TIME", 0, 100, 25);
    st.Number("57", "ZAHLEN", 100, 70);
    st.Sprite("SCORE", 0, 650, 25);
    st.Number("4320", "ZAHLEN", 650, 70);
    return st.Take();
}

std::unique_ptr<Canvas> ComposeTitleScene(const std::map<std::string, SceneSheet>& sheets,
                                          const Canvas& back) {
    Stage st(sheets, back);
    st.Sprite("SPERM1", 2, 300, 420);
    st.Sprite("VIRUS2", 1, 620, 380);
    st.Sprite("BUBBLE", 3, 120, 200);
    st.Sprite("P5", 0, 700, 250);
    st.Sprite("P6", 0, 690, 220);
    st.Sprite("PLAYANDWIN", 0, 400, 34);
    st.Sprite("VANTOREL", 0, 400, 94);
    st.Sprite("BUTTONTOSTART", 0, 400, 300);
    st.Sprite("TITLEVELMORA", 0, 131, 572);
    st.Sprite("KBCHLOGO", 0, 652, 564);
    return st.Take();
}
