// The GUI thread's inbox: posted messages and synchronised calls from the loop
// thread. Frames and input therefore run on one thread and never overlap.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

struct PostedMessage {
    std::uint32_t Message;
    std::uint64_t Param;
};

// The message that reports the end of a loop thread (the old WM_USER + 8).
constexpr std::uint32_t WM_LOOPENDED = 0x400 + 8;

class TGuiQueue {
public:
    // wake is called from any thread after something arrives, so that a GUI
    // thread waiting for input events looks at the queue.
    explicit TGuiQueue(std::function<void()> wake = {}) : wake_(std::move(wake)) {}

    void SetWake(std::function<void()> wake);
    // Any thread.
    void Post(std::uint32_t message, std::uint64_t param);
    // Loop thread: runs fn on the GUI thread and waits until it has run.
    // False when the GUI thread dropped the call instead of running it.
    bool Synchronize(const std::function<void()>& fn);

    // GUI thread: runs a waiting synchronised call; true if one ran.
    bool ServiceCall();
    // GUI thread: takes the posted messages.
    std::vector<PostedMessage> TakeMessages();
    // True when a call waits or a message is queued.
    bool HasWork();
    // GUI thread: releases a waiting call without running it, so a thread
    // being shut down cannot block on the GUI thread that waits for it.
    bool DropCall();

private:
    void Wake();

    std::mutex mutex_;
    std::condition_variable done_;
    std::function<void()> wake_;
    const std::function<void()>* pendingCall_ = nullptr;
    std::uint64_t callSerial_ = 0;
    std::uint64_t finishedSerial_ = 0;
    std::uint64_t droppedSerial_ = 0;
    std::deque<PostedMessage> messages_;
};
