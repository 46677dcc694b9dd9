// Step accounting, the GUI inbox and the pacing thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "game/frame_timer.h"
#include "game/gui_queue.h"
#include "game/loop_thread.h"

TEST(FrameTimer, StepsComeFromElapsedTimeAndAtMostFivePerFrame) {
    FrameTimer t;
    t.Start(1000);
    EXPECT_EQ(t.Poll(1019), 0);
    EXPECT_EQ(t.Poll(1020), 1);
    EXPECT_EQ(t.Accumulated, 0);
    EXPECT_EQ(t.Poll(1075), 2);  // 55 ms: two steps, 15 ms carried
    EXPECT_EQ(t.Accumulated, 15);
    EXPECT_EQ(t.MsToNextStep(), 5u);
    // A one-second stall gives one frame of five steps, not fifty.
    EXPECT_EQ(t.Poll(2075), 5);
    EXPECT_EQ(t.Poll(2076), 0);
    EXPECT_EQ(t.Poll(2095), 1);
}

TEST(FrameTimer, TheTickWrapIsHarmless) {
    FrameTimer t;
    t.Start(0xFFFFFFF0u);
    EXPECT_EQ(t.Poll(0x00000014u), 1);  // 36 ms across the wrap
    EXPECT_EQ(t.Accumulated, 16);
}

TEST(GuiQueue, ACallRunsOnTheServicingThreadAndTheCallerWaits) {
    std::atomic<int> wakes{0};
    TGuiQueue q([&] { ++wakes; });
    std::thread::id ranOn;
    std::atomic<bool> returned{false};
    std::thread loop([&] {
        EXPECT_TRUE(q.Synchronize([&] { ranOn = std::this_thread::get_id(); }));
        returned = true;
    });
    while (!q.HasWork()) std::this_thread::yield();
    EXPECT_FALSE(returned);
    EXPECT_TRUE(q.ServiceCall());
    loop.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_GE(wakes, 1);
    EXPECT_FALSE(q.ServiceCall());
}

TEST(GuiQueue, ADroppedCallReleasesTheCallerWithoutRunning) {
    TGuiQueue q;
    bool ran = false;
    std::atomic<bool> result{true};
    std::thread loop([&] { result = q.Synchronize([&] { ran = true; }); });
    while (!q.HasWork()) std::this_thread::yield();
    EXPECT_TRUE(q.DropCall());
    loop.join();
    EXPECT_FALSE(result);
    EXPECT_FALSE(ran);
    q.Post(WM_LOOPENDED, 7);
    const auto messages = q.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Message, 0x408u);
    EXPECT_EQ(messages[0].Param, 7u);
}

TEST(LoopThread, FramesRunOnTheGuiThreadUntilTerminatedThenTheEndIsPosted) {
    TGuiQueue q;
    int frames = 0, steps = 0;
    TLoopThread loop(
        q,
        [&](std::int32_t s) {
            ++frames;
            steps += s;
        },
        SystemClock());
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (std::chrono::steady_clock::now() < until) {
        q.ServiceCall();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_GE(steps, 5);
    EXPECT_LE(steps, 12);
    EXPECT_LE(frames, steps);
    loop.Terminate();
    // The thread may be waiting for a frame right now: the wait drops it.
    loop.WaitFor();
    EXPECT_TRUE(loop.Ended());
    const auto messages = q.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Message, WM_LOOPENDED);
    EXPECT_EQ(messages[0].Param, loop.Id());
}

TEST(LoopThread, TheThreadNapsInsteadOfSpinning) {
    TGuiQueue q;
    const std::clock_t cpuBefore = std::clock();
    {
        TLoopThread loop(
            q, [](std::int32_t) {}, SystemClock());
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        while (std::chrono::steady_clock::now() < until) {
            q.ServiceCall();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    // A spinning poll would burn close to 300 ms of processor time here.
    EXPECT_LT(cpuMs, 150.0);
}
