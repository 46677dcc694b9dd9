// The pacing thread.
#include "game/loop_thread.h"

#include <chrono>

namespace {
std::atomic<std::uint64_t> g_nextLoopThreadId{1};
}

TLoopThread::TLoopThread(TGuiQueue& queue, std::function<void(std::int32_t)> notify, IClock& clock,
                         bool threaded)
    : queue_(queue), notify_(std::move(notify)), clock_(clock), id_(g_nextLoopThreadId++) {
    timer_.Start(clock_.TickCount());
    if (threaded) thread_ = std::thread([this] { Execute(); });
}

void TLoopThread::PollOnce() {
    if (ended_ || thread_.joinable()) return;
    if (terminated_) {
        queue_.Post(WM_LOOPENDED, id_);
        ended_ = true;
        return;
    }
    const std::int32_t steps = timer_.Poll(clock_.TickCount());
    if (steps > 0) notify_(steps);
}

TLoopThread::~TLoopThread() {
    Terminate();
    WaitFor();
}

void TLoopThread::WaitFor() {
    if (!thread_.joinable()) return;
    while (!ended_) {
        queue_.DropCall();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    thread_.join();
}

void TLoopThread::Execute() {
    while (!terminated_) Poll();
    queue_.Post(WM_LOOPENDED, id_);
    ended_ = true;
}

void TLoopThread::Poll() {
    const std::int32_t steps = timer_.Poll(clock_.TickCount());
    if (steps > 0) {
        queue_.Synchronize([this, steps] { notify_(steps); });
        return;
    }
    // Rather than spin a core until the next step falls due, nap in 1 ms
    // pieces; the step accounting above stays exactly the same.
    clock_.Sleep(1);
}
