// The thread that paces the game: it counts 20 ms steps and hands each frame
// to the GUI thread, waiting until the frame has run.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "game/frame_timer.h"
#include "game/gui_queue.h"
#include "infra/clock.h"

class TLoopThread {
public:
    // notify runs on the GUI thread with the frame's steps, counted on the
    // clock. When the thread ends it posts WM_LOOPENDED with its id to the
    // queue. Without threaded, no thread is started: the GUI loop calls
    // PollOnce itself (the headless runner, whose clock is not the wall clock).
    TLoopThread(TGuiQueue& queue, std::function<void(std::int32_t)> notify, IClock& clock,
                bool threaded = true);
    ~TLoopThread();
    TLoopThread(const TLoopThread&) = delete;
    TLoopThread& operator=(const TLoopThread&) = delete;

    std::uint64_t Id() const { return id_; }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    bool Ended() const { return ended_; }
    // Unthreaded loops: one poll on the calling thread, running a due frame
    // directly; after Terminate it posts the end instead.
    void PollOnce();
    // GUI thread: waits until the thread has ended (after Terminate), dropping
    // any frame it asks for meanwhile.
    void WaitFor();

private:
    void Execute();
    // One poll: runs a frame when steps are due, else sleeps briefly.
    void Poll();

    TGuiQueue& queue_;
    std::function<void(std::int32_t)> notify_;
    IClock& clock_;
    FrameTimer timer_;
    std::uint64_t id_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> ended_{false};
    std::thread thread_;
};
