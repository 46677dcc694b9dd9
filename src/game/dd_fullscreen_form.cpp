// The game screen's base: display start and stop, surfaces, frame loop and
// the closing protocol.
#include "game/dd_fullscreen_form.h"

#include <exception>

#include "engine/bobs.h"
#include "engine/dd_canvas.h"
#include "engine/dd_errors.h"
#include "engine/graphic_objects.h"
#include "engine/pictures.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"
#include "engine/text_paint.h"
#include "infra/clock.h"
#include "infra/log.h"
#include "sound/kb_dsound.h"

namespace {
// How long a failed restore waits, so that the GUI thread does not spin while
// another program holds the display.
constexpr std::uint32_t FailedRestoreWaitMs = 250;
}  // namespace

TDDFullScreenForm::TDDFullScreenForm(IDisplay& display,
                                     std::function<std::unique_ptr<IAudioOutput>()> makeAudioOutput,
                                     const TOutsideWorld& outside)
    : display_(display), makeAudioOutput_(std::move(makeAudioOutput)), outside_(outside) {
    ScreenSurfaces.clear();
    Transparency = true;
    StatusLineHeight = 0;
    queue_.SetWake([&display] { display.Wake(); });
}

TDDFullScreenForm::~TDDFullScreenForm() {
    // A form that never ran its modal loop still releases what it holds.
    if (!destroyed_ && (DirectDraw || LoopThread)) FormDestroy();
}

void TDDFullScreenForm::ShowModal() {
    try {
        FormShow();
    } catch (const std::exception& e) {
        StartFailed(e);
    }
    if (!closed_) {
        active_ = true;
        FormActivate();
    }
    std::vector<InputEvent> events;
    while (!closed_) {
        events.clear();
        display_.WaitEvents(events, queue_.HasWork() ? 0 : 10);
        if (display_.TakeContentsLost()) SurfaceLost = true;
        for (const InputEvent& e : events) {
            Dispatch(e);
            if (closed_) break;
        }
        if (closed_) break;
        if (LoopThread && !ThreadedLoop) LoopThread->PollOnce();
        queue_.ServiceCall();
        HandleMessages();
    }
    ScreenClosed();
    FormDestroy();
}

void TDDFullScreenForm::HandleMessages() {
    for (const PostedMessage& m : queue_.TakeMessages()) {
        if (closed_) return;
        if (m.Message == WM_LOOPENDED) WMLoopEnded(m.Param);
        if (m.Message == WM_CLOSE) Close();
    }
}

void TDDFullScreenForm::Dispatch(const InputEvent& e) {
    if (Tape && Tape->Playing()) {
        WatchInput(e);
        return;
    }
    if (Tape) Tape->Event(e);
    HandleInput(e);
}

void TDDFullScreenForm::WatchInput(const InputEvent& e) {
    if (e.Kind == InputKind::Expose) FormPaint();
}

void TDDFullScreenForm::HandleInput(const InputEvent& e) {
    try {
        switch (e.Kind) {
            case InputKind::KeyDown:
                FormKeyDown(e.Key, e.Shift);
                break;
            case InputKind::KeyPress: {
                char c = e.Char;
                FormKeyPress(c);
                break;
            }
            case InputKind::MouseDown:
                FormMouseDown(e.Button);
                break;
            case InputKind::MouseUp:
                FormMouseUp();
                break;
            case InputKind::MouseWheelDown:
                FormMouseWheelDown();
                break;
            case InputKind::MouseWheelUp:
                FormMouseWheelUp();
                break;
            case InputKind::CloseRequest:
                Close();
                break;
            case InputKind::MouseMove:
                break;  // the frame reads the cursor itself
            case InputKind::Expose:
                FormPaint();
                break;
            case InputKind::Activate:
                // Every activation after the window was left, not a repeat.
                if (!active_) {
                    active_ = true;
                    FormActivate();
                }
                break;
            case InputKind::Deactivate:
                active_ = false;
                break;
        }
    } catch (const std::exception& ex) {
        // Logged and the run marked as failed, but the game goes on: a
        // screenshot or a name that cannot be saved is no reason to end it.
        ErrorOccurred = true;
        WriteLog(std::string("Exception raised in input handler: ") + ex.what());
    }
}

void TDDFullScreenForm::Close() {
    if (closed_) return;
    bool canClose = true;
    FormClose(canClose);
    if (canClose) closed_ = true;
}

void TDDFullScreenForm::FailRun(const std::string& logLine) {
    ErrorOccurred = true;
    WriteLog(logLine);
    Closing = true;
}

void TDDFullScreenForm::StartFailed(const std::exception& e) {
    FailRun(std::string("Error initiating DirectX: ") + e.what());
    queue_.Post(WM_CLOSE, 0);
}

void TDDFullScreenForm::LogFinalLine() {
    WriteLog(ErrorOccurred ? "ERROR" : "OK");
}

void TDDFullScreenForm::SetDisplayMode(int mode) {
    if (DirectDraw) return;
    DisplayMode = static_cast<std::uint8_t>(mode);
}

void TDDFullScreenForm::InitDDraw() {
    WriteLog("InitDDraw (Inherited)");
    ScreenOffsetX = ScreenOffsetY = 0;
    BackScroll = 0;
    FreeGOs();
    AlphaMasks = true;
    MouseX = MouseY = -1;
    PendingShots = 0;
    LevelActive = false;
    Paused = false;
    SetScreenMetrics(width, height);
    LoopRunning = false;
    WriteLog("-1");
    const TPixelFormat format = DisplayMode == 0 ? PixelFormatRGB565() : display_.DesktopMode().Format;
    DirectDraw = std::make_shared<TDirectDraw>(format, outside_.Fonts, *outside_.Resources);
    WriteLog("0");
    try {
        if (DisplayMode == 2)
            CreateWindowSurfaces();
        else
            CreateFullScreenSurfaces();
        NewSurface(DirectDraw, width, height, 0, BackImageSurface);
        WriteLog("16");
        Colorfill(BackImageSurface, 0, 0, width, height, 0);
        WriteLog("17");
        if (Transparency || AlphaMasks)
            NewSurface(DirectDraw, width, height, DDSCAPS_SYSTEMMEMORY, BlendSurface);
        WriteLog("18");
        ShowLoading();
        WriteLog("19");
        Bobs = std::make_unique<TBobs>();
        WriteLog("20");
        SoundEngine = std::make_unique<TkbDSound>(makeAudioOutput_ ? makeAudioOutput_() : nullptr, SoundOn,
                                                  SoundModeFlag);
        WriteLog("InitDDraw (Inherited) OK!");
    } catch (...) {
        DirectDraw.reset();
        throw;
    }
}

void TDDFullScreenForm::CreateWindowSurfaces() {
    display_.Open(2, width, height);
    displayOpen_ = true;
    WriteLog("1");
    DirectDraw->SetDisplaySize(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    TSurfaceDesc desc;
    desc.dwFlags = DDSD_CAPS;
    desc.dwCaps = DDSCAPS_PRIMARYSURFACE;
    DDCheckSurface(DirectDraw->CreateSurface(desc, PrimarySurface));
    WriteLog("2");
    // The window's clipper has no counterpart here: presenting copies the
    // frame into the window's client area.
    WriteLog("3");
    WriteLog("4");
    WriteLog("5");
    for (int i = 0; i < BackBufferCount + 1; ++i) {
        TSurfaceRef surface;
        NewSurface(DirectDraw, width, height, DDSCAPS_SYSTEMMEMORY, surface);
        WriteLog("6");
        ScreenSurfaces.push_back(surface);
        WriteLog("7");
    }
}

void TDDFullScreenForm::CreateFullScreenSurfaces() {
    display_.SetCursorVisible(false);
    const TDisplayModeInfo info = display_.Open(DisplayMode, width, height);
    displayOpen_ = true;
    WriteLog("8");
    if (DisplayMode == 1) {
        WriteLog("9");
        ScreenOffsetX = (info.Width - width) >> 1;
        ScreenOffsetY = (info.Height - height) >> 1;
    }
    WriteLog("10");
    DirectDraw->SetDisplaySize(static_cast<std::uint32_t>(info.Width),
                               static_cast<std::uint32_t>(info.Height));
    TSurfaceDesc desc;
    desc.dwFlags = DDSD_CAPS;
    desc.dwCaps = DDSCAPS_PRIMARYSURFACE | (BackBufferCount > 0 ? DDSCAPS_FLIP : 0);
    DDCheckSurface(
        DirectDraw->CreateSurface(desc, PrimarySurface, static_cast<std::uint32_t>(BackBufferCount)));
    WriteLog("11");
    ScreenSurfaces.push_back(PrimarySurface);
    WriteLog("12");
    if (BackBufferCount > 0) {
        DDCheckSurface(DirectDraw->EnumSurfaces(DDENUMSURFACES_DOESEXIST | DDENUMSURFACES_ALL,
                                                [](const TSurfaceRef& s, const TSurfaceDesc& d) {
                                                    return EnumBackSurfaces(s, d, ScreenSurfaces);
                                                }));
    }
    WriteLog("13");
    if (DisplayMode == 1) {
        WriteLog("14");
        FillScreenSurfaces();
        WriteLog("15");
    }
}

void TDDFullScreenForm::FillScreenSurfaces() {
    TDDBltFx fx;
    fx.dwFillColor = 0;  // the form's colour, black
    for (const TSurfaceRef& s : ScreenSurfaces)
        DDCheckSurface(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
}

void TDDFullScreenForm::FreeDDraw() {
    WriteLog("Freeddraw: Start");
    SoundEngine.reset();
    Bobs.reset();
    FreeGOs();
    BackImageSurface.reset();
    BlendSurface.reset();
    PrimarySurface.reset();
    if (displayOpen_) {
        display_.Close();
        displayOpen_ = false;
    }
    DirectDraw.reset();
    WriteLog("Freeddraw: End");
}

bool TDDFullScreenForm::RestoreOne(const TSurfaceRef& surface) {
    if (!surface) return true;
    const HResult state = surface->IsLost();
    if (state == DDERR_SURFACELOST) {
        if (surface->Restore() != DD_OK) {
            outside_.Clock->Sleep(FailedRestoreWaitMs);
            return false;
        }
    } else {
        DDCheck(state);
    }
    return true;
}

bool TDDFullScreenForm::RestoreSurfaces() {
    for (const TSurfaceRef& s : ScreenSurfaces)
        if (!RestoreOne(s)) return false;
    if (BackImageSurface && BackImageSurface->IsLost() == DDERR_SURFACELOST) {
        if (!RestoreOne(BackImageSurface)) return false;
        LoadSurface(BackImageName, BackImageSurface);
    }
    if ((Transparency || AlphaMasks) && !RestoreOne(BlendSurface)) return false;
    for (TRegisteredSurface& sheet : GORegistry().Surfaces) {
        if (!RestoreOne(sheet.Surface)) return false;
        WriteLog(sheet.FileName + " reload");
        if (!sheet.FileName.empty()) LoadSurface(sheet.FileName, sheet.Surface);
    }
    if (DisplayMode == 1) FillScreenSurfaces();
    SurfaceLost = false;
    return true;
}

void TDDFullScreenForm::ThreadNotify(std::int32_t) {}

bool TDDFullScreenForm::RunFramePipeline(std::int32_t steps, const std::function<void()>& stateStep) {
    StepCount += static_cast<std::uint64_t>(steps);
    try {
        if (SkipFrameForLostSurfaces()) return false;
    } catch (const std::exception& e) {
        FailRun(std::string("Exception raised in Threadnotify while trying to restore surfaces: ") +
                e.what());
        return false;
    }
    const char* step = "";
    bool ran = false;
    try {
        step = "BackImageToSecondarySurface";
        if (DrawFrames) BackImageToSecondarySurface();
        step = "glsproc";
        // Recorded only now: a frame whose steps never ran leaves no trace.
        if (Tape) Tape->Frame(steps);
        ran = true;
        for (std::int32_t i = 0; i < steps; ++i)
            if (!Paused) stateStep();
        step = "Bobs.Paint";
        if (DrawFrames && LevelActive && !Closing && Bobs) Bobs->paint();
        step = "Flip(DDFLIP_WAIT)";
        if (DrawFrames && !Closing) Flip();
    } catch (const EDirectXSurfaceLostError&) {
        // The next frame restores the surfaces.
    } catch (const std::exception& e) {
        FailRun(std::string("Exception raised in Threadnotify while ") + step + ": " + e.what());
        display_.Beep();
    }
    return ran;
}

void TDDFullScreenForm::SetFlipping(bool on) {
    if (on == FlippingOn) return;
    FlippingOn = on;
    if (on) {
        LoopThread = std::make_unique<TLoopThread>(
            queue_, [this](std::int32_t steps) { ThreadNotify(steps); }, *outside_.Clock, ThreadedLoop);
        LoopThreadID = LoopThread->Id();
        LoopRunning = true;
    } else if (LoopRunning && LoopThread) {
        LoopThread->Terminate();
    }
}

void TDDFullScreenForm::Back() {
    WriteLog("Back: Start");
    if (FlippingOn) {
        WriteLog("Back: Stop flipping");
        SetFlipping(false);
    } else {
        Close();
    }
    WriteLog("Back: End");
}

void TDDFullScreenForm::BackImageToSecondarySurface() {
    const TSurfaceRef dest = SecondarySurface();
    const std::int32_t s = BackScroll;
    if (s == 0) {
        BlitClipped(BackImageSurface, 0, 0, ScreenWidth, ScreenHeight, dest, 0, 0, false, 0, 0, ClipRight,
                    ClipBottom);
        return;
    }
    // Shifted right by s pixels, wrapping around.
    BlitClipped(BackImageSurface, 0, 0, ScreenWidth - s, ScreenHeight, dest, s, 0, false, 0, 0, ClipRight,
                ClipBottom);
    BlitClipped(BackImageSurface, ScreenWidth - s, 0, s, ScreenHeight, dest, 0, 0, false, 0, 0, ClipRight,
                ClipBottom);
}

void TDDFullScreenForm::Flip() {
    if (DisplayMode == 2) {
        BlitToWindow();
        return;
    }
    const TSurfaceRef front = FrontSurface();
    DDCheckSurface(front->IsLost());
    display_.Present(*SecondarySurface());
}

void TDDFullScreenForm::BlitToWindow() {
    const TSurfaceRef frame = SecondarySurface();
    DDCheckSurface(frame->IsLost());
    display_.Present(*frame);
}

void TDDFullScreenForm::ReadMouse() {
    PrevMouseX = MouseX;
    PrevMouseY = MouseY;
    std::int32_t x = 0, y = 0;
    display_.CursorPos(x, y);
    if (DisplayMode == 2) {
        std::int32_t ox = 0, oy = 0;
        display_.ClientOrigin(ox, oy);
        x -= ox;
        y -= oy;
    }
    if (Tape) Tape->Mouse(x, y);
    MouseX = x;
    MouseY = y;
}

void TDDFullScreenForm::SetBackImage(const std::string& fileName) {
    BackImageName = fileName;
    LoadSurface(fileName, BackImageSurface);
}

void TDDFullScreenForm::ShowLoading() {
    Colorfill(SecondarySurface(), 0, 0, width, height, 0);
    Colorfill(FrontSurface(), 0, 0, width, height, 0);
    Printtosurface(width / 2, height / 2, "Loading...", 2, 1, clBlack, 1, DefaultFontName, 24, fsBold,
                   BackImageSurface);
    BackImageToSecondarySurface();
    Flip();
}

bool TDDFullScreenForm::SkipFrameForLostSurfaces() {
    if (!SurfaceLost) return false;
    return !RestoreSurfaces();
}

void TDDFullScreenForm::WMLoopEnded(std::uint64_t threadId) {
    if (!LoopThread || threadId != LoopThreadID) return;
    LoopThread->WaitFor();
    LoopRunning = false;
    Close();
}

void TDDFullScreenForm::FormShow() {
    WriteLog("Formshow: Start");
    if (DisplayMode == 1) {
        const TDisplayModeInfo desktop = display_.DesktopMode();
        if (desktop.Width < width || desktop.Height < height) SetDisplayMode(0);
    }
    if (!DirectDraw) InitDDraw();
    WriteLog("Formshow: End");
}

void TDDFullScreenForm::FormPaint() {
    if (DisplayMode != 2 || ScreenSurfaces.empty() || SurfaceLost) return;
    try {
        BlitToWindow();
    } catch (const EDirectXSurfaceLostError&) {
        // The next frame restores the surfaces and draws again.
    }
}

void TDDFullScreenForm::FormActivate() {
    WriteLog("FormActivate: Start");
    if (SoundEngine) {
        try {
            SoundEngine->RestoreAll();
        } catch (const std::exception& e) {
            WriteLog(std::string("Error while restoring soundbuffers: ") + e.what());
        }
    }
    WriteLog("FormActivate: End");
}

void TDDFullScreenForm::FormClose(bool& canClose) {
    WriteLog("FormClose: Start");
    if (!Closing) {
        // The first request only asks the game states to wind down; the loop's
        // end closes the form for real.
        WriteLog("FormClose: Reclose");
        Closing = true;
        canClose = false;
        return;
    }
    display_.SetCursorVisible(true);
    canClose = true;
    WriteLog("FormClose: End");
    LogFinalLine();
}

void TDDFullScreenForm::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    WriteLog("Formdestroy: Start");
    if (LoopThread && LoopRunning) {
        WriteLog("Formdestroy: Terminate Loop");
        LoopThread->Terminate();
        LoopThread->WaitFor();
    }
    LoopThread.reset();
    ScreenSurfaces.clear();
    FreeDDraw();
    WriteLog("Formdestroy: End");
    LogFinalLine();
}

void TDDFullScreenForm::FormKeyDown(std::uint16_t, TShiftState) {}
void TDDFullScreenForm::FormKeyPress(char&) {}
void TDDFullScreenForm::FormMouseDown(TMouseButton) {}
void TDDFullScreenForm::FormMouseUp() {}
void TDDFullScreenForm::FormMouseWheelDown() {}
void TDDFullScreenForm::FormMouseWheelUp() {}
