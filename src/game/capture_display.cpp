// The screenless display.
#include "game/capture_display.h"

#include <algorithm>

CaptureDisplay::CaptureDisplay(ManualClock& clock, std::uint32_t msPerWait)
    : clock_(clock), msPerWait_(msPerWait), start_(clock.TickCount()) {}

void CaptureDisplay::Add(Happening h) {
    const auto at = std::upper_bound(script_.begin() + static_cast<std::ptrdiff_t>(next_), script_.end(),
                                     h.AtMs, [](std::uint32_t t, const Happening& x) { return t < x.AtMs; });
    script_.insert(at, std::move(h));
}

void CaptureDisplay::ScheduleInput(std::uint32_t atMs, const InputEvent& event) {
    Add({atMs, Happening::Input, event, 0, {}});
}

void CaptureDisplay::ScheduleMouse(std::uint32_t atMs, std::int32_t x, std::int32_t y) {
    InputEvent e;
    e.Kind = InputKind::MouseMove;
    e.X = x;
    e.Y = y;
    Add({atMs, Happening::Mouse, e, 0, {}});
}

void CaptureDisplay::ScheduleStall(std::uint32_t atMs, std::uint32_t ms) {
    Add({atMs, Happening::Stall, {}, ms, {}});
}

void CaptureDisplay::ScheduleLoss(std::uint32_t atMs, std::function<void()> lose) {
    Add({atMs, Happening::Loss, {}, 0, std::move(lose)});
}

TDisplayModeInfo CaptureDisplay::Open(int mode, std::int32_t width, std::int32_t height) {
    OpenMode = mode;
    if (mode == 0) return {width, height, PixelFormatRGB565()};
    if (mode == 1) return Desktop;
    return {width, height, Desktop.Format};
}

void CaptureDisplay::Present(const TSurface& surface) {
    ++Presented;
    if (OnPresent) OnPresent(surface);
}

void CaptureDisplay::CursorPos(std::int32_t& x, std::int32_t& y) {
    std::int32_t ox = 0, oy = 0;
    ClientOrigin(ox, oy);
    x = mouseX_ + ox;
    y = mouseY_ + oy;
}

void CaptureDisplay::ClientOrigin(std::int32_t& x, std::int32_t& y) {
    const bool windowed = OpenMode == 2;
    x = windowed ? WindowX : 0;
    y = windowed ? WindowY : 0;
}

std::uint32_t CaptureDisplay::Elapsed() const {
    return clock_.TickCount() - start_;
}

void CaptureDisplay::WaitEvents(std::vector<InputEvent>& out, std::uint32_t) {
    clock_.Advance(msPerWait_);
    while (next_ < script_.size() && script_[next_].AtMs <= Elapsed()) {
        Happening& h = script_[next_++];
        switch (h.What) {
            case Happening::Input:
                if (h.Event.Kind == InputKind::MouseDown || h.Event.Kind == InputKind::MouseUp) {
                    h.Event.X = mouseX_;
                    h.Event.Y = mouseY_;
                }
                out.push_back(h.Event);
                break;
            case Happening::Mouse:
                mouseX_ = h.Event.X;
                mouseY_ = h.Event.Y;
                out.push_back(h.Event);
                break;
            case Happening::Stall:
                clock_.Advance(h.Ms);
                break;
            case Happening::Loss:
                contentsLost_ = true;
                if (h.Lose) h.Lose();
                break;
        }
    }
}

bool CaptureDisplay::TakeContentsLost() {
    const bool lost = contentsLost_;
    contentsLost_ = false;
    return lost;
}
