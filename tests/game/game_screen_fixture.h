// The game screen base on a capture display with a manual clock, for the
// game screen's tests: forms that run only the frame pipeline, and helpers
// for input events and the log.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphic_objects.h"
#include "engine/screen.h"
#include "game/capture_display.h"
#include "infra/file_io.h"
#include "infra/paths.h"
#include "pipeline_form.h"
#include "support/fixed_font_rasterizer.h"
#include "support/temp_program_dir.h"

namespace gamescreen {

inline InputEvent Key(std::uint16_t vk) {
    InputEvent e;
    e.Kind = InputKind::KeyDown;
    e.Key = vk;
    return e;
}

inline InputEvent Event(InputKind kind) {
    InputEvent e;
    e.Kind = kind;
    return e;
}

inline InputEvent CloseRequest() {
    return Event(InputKind::CloseRequest);
}

class GameScreen : public ::testing::Test {
protected:
    GameScreen() : display(clock) {
        outside.Clock = &clock;
        outside.Fonts = &font;
    }

    template <class Form = TPipelineForm>
    std::unique_ptr<Form> MakeForm(int mode) {
        auto form = std::make_unique<Form>(display, nullptr, outside);
        form->ThreadedLoop = false;
        form->SetDisplayMode(mode);
        return form;
    }
    std::vector<std::string> Log() const { return SplitLines(dir.Read("sps/LOG.TXT")); }
    std::size_t LogCount(const std::string& line) const {
        const auto log = Log();
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), line));
    }
    static std::vector<std::string> Tail(const std::vector<std::string>& lines, std::size_t n) {
        return {lines.end() - static_cast<std::ptrdiff_t>(std::min(n, lines.size())), lines.end()};
    }

    TempProgramDir dir;
    FixedFontRasterizer font;
    ManualClock clock{1000};
    CaptureDisplay display;
    TOutsideWorld outside;
};

}  // namespace gamescreen
