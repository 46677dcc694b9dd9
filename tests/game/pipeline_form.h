// A small game screen for the tests: the whole frame pipeline without the
// game. The back picture scrolls a pixel per step, P pauses and resumes, and
// Escape or a close request winds it down through the closing protocol.
#pragma once

#include <string>

#include "game/dd_fullscreen_form.h"

class TPipelineForm : public TDDFullScreenForm {
public:
    using TDDFullScreenForm::TDDFullScreenForm;

    std::string BackImage = "GFX/sb/Back";
    // State steps that ran (paused steps do not run).
    std::uint64_t StateSteps = 0;

    void InitDDraw() override;
    void ThreadNotify(std::int32_t steps) override;
    void FormKeyDown(std::uint16_t key, TShiftState shift) override;

private:
    void Step();
    bool leaving_ = false;
};
