// The pipeline-only game screen.
#include "pipeline_form.h"

#include "engine/screen.h"
#include "infra/log.h"

void TPipelineForm::InitDDraw() {
    try {
        WriteLog("InitDDraw");
        TDDFullScreenForm::InitDDraw();
        SetBackImage(BackImage);
        LevelActive = true;
        SetFlipping(true);
    } catch (const std::exception& e) {
        StartFailed(e);
    }
}

void TPipelineForm::ThreadNotify(std::int32_t steps) {
    RunFramePipeline(steps, [this] { Step(); });
}

void TPipelineForm::Step() {
    ++StateSteps;
    if (Closing) {
        if (!leaving_) {
            leaving_ = true;
            Back();
        }
        return;
    }
    BackScroll = (BackScroll + 1) % ScreenWidth;
}

void TPipelineForm::FormKeyDown(std::uint16_t key, TShiftState) {
    if (key == 'P') Paused = !Paused;
    if (key != VK_ESCAPE) return;
    WriteLog("Formkeydown: Escape");
    Closing = true;
    EscapePressed = true;
}
