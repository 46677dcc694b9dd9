// The game screen base on a capture display with a manual clock: start-up
// log, frame timing, lost surfaces, display modes and the closing protocol.
#include "game_screen_fixture.h"
#include "infra/log.h"
#include "support/start_lines.h"

using namespace gamescreen;

TEST_F(GameScreen, StartUpLogsEveryStepInOrder) {
    display.ScheduleInput(200, Key(VK_ESCAPE));
    auto form = MakeForm(2);
    form->ShowModal();
    const auto log = Log();
    const std::vector<std::string> start = WindowStartLines();
    ASSERT_GE(log.size(), start.size());
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(start.size())),
              start);
    EXPECT_EQ(display.OpenMode, -1);  // closed again
}

TEST_F(GameScreen, EscapeWindsDownThroughTheClosingProtocol) {
    display.ScheduleInput(200, Key(VK_ESCAPE));
    auto form = MakeForm(2);
    form->ShowModal();
    const auto log = Log();
    EXPECT_EQ(Tail(log, 12), (std::vector<std::string>{
                                 "Formkeydown: Escape", "Back: Start", "Back: Stop flipping", "Back: End",
                                 "FormClose: Start", "FormClose: End", "OK", "Formdestroy: Start",
                                 "Freeddraw: Start", "Freeddraw: End", "Formdestroy: End", "OK"}));
    EXPECT_TRUE(form->Closed());
    EXPECT_FALSE(form->ErrorOccurred);
}

TEST_F(GameScreen, TheFirstCloseRequestOnlyAsksToClose) {
    display.ScheduleInput(100, CloseRequest());
    auto form = MakeForm(2);
    form->ShowModal();
    const auto log = Log();
    const auto reclose = std::find(log.begin(), log.end(), "FormClose: Reclose");
    ASSERT_NE(reclose, log.end());
    EXPECT_EQ(*(reclose - 1), "FormClose: Start");
    EXPECT_EQ(*(reclose + 1), "Back: Start");
    EXPECT_EQ(log.back(), "OK");
}

TEST_F(GameScreen, AStartFailureClosesAtOnceWithError) {
    // No font: "Loading..." cannot be written, so the start fails at step 19.
    outside.Fonts = nullptr;
    auto form = MakeForm(2);
    form->ShowModal();
    const auto log = Log();
    const auto failure = std::find_if(log.begin(), log.end(), [](const std::string& l) {
        return l.rfind("Error initiating DirectX: ", 0) == 0;
    });
    ASSERT_NE(failure, log.end());
    EXPECT_EQ(*(failure + 1), "Formshow: End");
    EXPECT_EQ(Tail(log, 8),
              (std::vector<std::string>{"FormClose: Start", "FormClose: End", "ERROR", "Formdestroy: Start",
                                        "Freeddraw: Start", "Freeddraw: End", "Formdestroy: End", "ERROR"}));
}

TEST_F(GameScreen, AOneSecondStallGivesOneFrameOfFiveSteps) {
    display.ScheduleStall(500, 1000);
    display.ScheduleInput(1800, Key(VK_ESCAPE));
    auto form = MakeForm(2);
    std::vector<std::uint64_t> stepsAtPresent;
    display.OnPresent = [&](const TSurface&) { stepsAtPresent.push_back(form->StepCount); };
    form->ShowModal();
    bool sawFive = false;
    for (std::size_t i = 1; i < stepsAtPresent.size(); ++i) {
        const auto d = stepsAtPresent[i] - stepsAtPresent[i - 1];
        EXPECT_LE(d, 5u);
        if (d == 5) sawFive = true;
    }
    EXPECT_TRUE(sawFive);
    // 1800 ms would be 90 steps; the stalled second adds only 5 of its 50.
    EXPECT_LT(form->StepCount, 50u);
}

TEST_F(GameScreen, AFailedRestoreSkipsFramesThenReloadsAndContinues) {
    auto form = MakeForm(2);
    display.ScheduleLoss(300, [&] {
        GORegistry().Surfaces.push_back({ScreenSurfaces[1], nullptr, "gfx/sb/Sheet"});
        ScreenSurfaces[1]->SetLost(true);
        ScreenSurfaces[1]->SetRestoreFails(true);
    });
    display.ScheduleLoss(900, [&] { ScreenSurfaces[1]->SetRestoreFails(false); });
    display.ScheduleInput(1500, Key(VK_ESCAPE));
    std::vector<std::pair<std::uint32_t, std::uint64_t>> presents;  // (ms, state steps)
    display.OnPresent = [&](const TSurface&) { presents.emplace_back(display.Elapsed(), form->StateSteps); };
    form->ShowModal();
    // No frame was presented while the restore failed; the first frame after
    // it carries at most five steps although 600 ms passed.
    std::size_t before = 0;
    while (before + 1 < presents.size() && presents[before + 1].first < 300) ++before;
    ASSERT_LT(before + 1, presents.size());
    const auto& after = presents[before + 1];
    EXPECT_GE(after.first, 900u);
    EXPECT_LE(after.second - presents[before].second, 5u);
    const auto log = Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "gfx/sb/Sheet reload"), log.end());
    EXPECT_EQ(log.back(), "OK");
    EXPECT_GT(presents.back().second, after.second);  // play went on
}

TEST_F(GameScreen, ModeOneOnASmallDesktopStartsInModeZero) {
    display.Desktop = {640, 480, PixelFormatXRGB8888()};
    display.ScheduleInput(100, Key(VK_ESCAPE));
    auto form = MakeForm(1);
    int openedMode = -1;
    display.OnPresent = [&](const TSurface&) { openedMode = display.OpenMode; };
    form->ShowModal();
    EXPECT_EQ(openedMode, 0);
    EXPECT_EQ(form->DisplayMode, 0);
}

TEST_F(GameScreen, ModeOneCentresTheGameOnALargeDesktop) {
    display.Desktop = {1280, 1024, PixelFormatXRGB8888()};
    display.ScheduleInput(100, Key(VK_ESCAPE));
    auto form = MakeForm(1);
    std::int32_t ox = -1, oy = -1, w = 0;
    bool cursorHidden = false;
    display.OnPresent = [&](const TSurface& s) {
        ox = ScreenOffsetX;
        oy = ScreenOffsetY;
        w = static_cast<std::int32_t>(s.Width());
        cursorHidden = !display.CursorVisible;
    };
    form->ShowModal();
    EXPECT_EQ(ox, 240);
    EXPECT_EQ(oy, 212);
    EXPECT_EQ(w, 1280);
    EXPECT_TRUE(cursorHidden);
    EXPECT_TRUE(display.CursorVisible);  // given back on closing
}

TEST_F(GameScreen, SetDisplayModeAfterStartChangesNothing) {
    display.ScheduleInput(100, Key(VK_ESCAPE));
    auto form = MakeForm(2);
    int modeDuringRun = -1;
    display.OnPresent = [&](const TSurface&) {
        form->SetDisplayMode(0);
        modeDuringRun = form->DisplayMode;
    };
    form->ShowModal();
    EXPECT_EQ(modeDuringRun, 2);
}

TEST_F(GameScreen, TheMouseIsRelativeToTheClientAreaInWindowMode) {
    auto form = MakeForm(2);
    display.ScheduleMouse(50, 123, 45);  // the client area's origin is at (100, 50)
    display.ScheduleInput(200, Key(VK_ESCAPE));
    std::int32_t x = -1, y = -1;
    display.OnPresent = [&](const TSurface&) {
        if (display.Elapsed() < 100 || x != -1) return;
        form->ReadMouse();  // while the window is open
        x = form->MouseX;
        y = form->MouseY;
    };
    form->ShowModal();
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 45);
}

TEST_F(GameScreen, FullScreenStartUpLogsItsOwnSteps) {
    display.Desktop = {1280, 1024, PixelFormatXRGB8888()};
    // Mode 1 asks for the desktop's size and clears the screen; mode 0 sets 800 x 600.
    const std::pair<int, std::vector<std::string>> cases[] = {
        {1, {"0", "8", "9", "10", "11", "12", "13", "14", "15", "16"}},
        {0, {"0", "8", "10", "11", "12", "13", "16"}}};
    for (const auto& [mode, lines] : cases) {
        DeleteLog();
        display.ScheduleInput(display.Elapsed() + 100, Key(VK_ESCAPE));
        MakeForm(mode)->ShowModal();
        const auto log = Log();
        const auto from = std::find(log.begin(), log.end(), "0");
        ASSERT_LE(lines.size(), static_cast<std::size_t>(log.end() - from)) << mode;
        EXPECT_EQ(std::vector<std::string>(from, from + static_cast<std::ptrdiff_t>(lines.size())), lines)
            << "mode " << mode;
    }
}

TEST_F(GameScreen, ModeOneClearsTheScreenToBlackAfterARestore) {
    display.Desktop = {1280, 1024, PixelFormatXRGB8888()};
    auto form = MakeForm(1);
    auto corner = [] { return reinterpret_cast<const std::uint32_t*>(ScreenSurfaces[0]->Pixels())[0]; };
    std::uint32_t atStart = 1, afterRestore = 1;
    display.OnPresent = [&](const TSurface&) {
        if (atStart == 1) atStart = corner();
        if (display.Elapsed() >= 400 && afterRestore == 1) afterRestore = corner();
    };
    // Something was drawn outside the game area before the screen was lost.
    display.ScheduleLoss(300, [&] {
        reinterpret_cast<std::uint32_t*>(ScreenSurfaces[0]->Pixels())[0] = 0x123456;
        ScreenSurfaces[1]->SetLost(true);
    });
    display.ScheduleInput(600, Key(VK_ESCAPE));
    form->ShowModal();
    EXPECT_EQ(atStart, 0u);
    EXPECT_EQ(afterRestore, 0u);
}

TEST_F(GameScreen, BackScroll799WrapsTheBackImageByOneColumn) {
    display.ScheduleInput(100, Key(VK_ESCAPE));
    auto form = MakeForm(2);
    bool checked = false;
    display.OnPresent = [&](const TSurface&) {
        if (checked) return;
        checked = true;
        // A back image whose every column has its own colour.
        TSurfaceLock back(*BackImageSurface);
        for (std::uint32_t y = 0; y < back.Height(); ++y)
            for (std::uint32_t x = 0; x < back.Width(); ++x)
                reinterpret_cast<std::uint32_t*>(back.Bits() + y * back.Pitch())[x] = x + 1;
    };
    form->ShowModal();
    ASSERT_TRUE(checked);
    form->BackScroll = 799;
    DirectDraw = std::make_shared<TDirectDraw>(PixelFormatXRGB8888());
    TSurfaceRef back, second;
    NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, back);
    NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, second);
    {
        TSurfaceLock lock(*back);
        for (std::uint32_t x = 0; x < 800; ++x) reinterpret_cast<std::uint32_t*>(lock.Bits())[x] = x + 1;
    }
    BackImageSurface = back;
    ScreenSurfaces = {second, second};
    SetScreenMetrics(800, 600);
    form->BackImageToSecondarySurface();
    TSurfaceLock lock(*second);
    const auto* row = reinterpret_cast<const std::uint32_t*>(lock.Bits());
    EXPECT_EQ(row[799], 1u);    // column 0 at x = 799
    EXPECT_EQ(row[0], 2u);      // column 1 at x = 0
    EXPECT_EQ(row[798], 800u);  // column 799 at x = 798
    ResetScreenGlobals();
}
