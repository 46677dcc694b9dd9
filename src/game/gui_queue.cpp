// The GUI thread's inbox.
#include "game/gui_queue.h"

void TGuiQueue::SetWake(std::function<void()> wake) {
    std::lock_guard lock(mutex_);
    wake_ = std::move(wake);
}

void TGuiQueue::Wake() {
    std::function<void()> wake;
    {
        std::lock_guard lock(mutex_);
        wake = wake_;
    }
    if (wake) wake();
}

void TGuiQueue::Post(std::uint32_t message, std::uint64_t param) {
    {
        std::lock_guard lock(mutex_);
        messages_.push_back({message, param});
    }
    Wake();
}

bool TGuiQueue::Synchronize(const std::function<void()>& fn) {
    std::uint64_t serial = 0;
    {
        std::lock_guard lock(mutex_);
        pendingCall_ = &fn;
        serial = ++callSerial_;
    }
    Wake();
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return finishedSerial_ >= serial || droppedSerial_ >= serial; });
    return finishedSerial_ >= serial;
}

bool TGuiQueue::ServiceCall() {
    const std::function<void()>* call = nullptr;
    std::uint64_t serial = 0;
    {
        std::lock_guard lock(mutex_);
        call = pendingCall_;
        serial = callSerial_;
        pendingCall_ = nullptr;
    }
    if (!call) return false;
    // The caller waits for us, so the function object stays alive meanwhile.
    struct Finish {
        TGuiQueue& q;
        std::uint64_t serial;
        ~Finish() {
            {
                std::lock_guard lock(q.mutex_);
                q.finishedSerial_ = serial;
            }
            q.done_.notify_all();
        }
    } finish{*this, serial};
    (*call)();
    return true;
}

std::vector<PostedMessage> TGuiQueue::TakeMessages() {
    std::lock_guard lock(mutex_);
    std::vector<PostedMessage> out(messages_.begin(), messages_.end());
    messages_.clear();
    return out;
}

bool TGuiQueue::HasWork() {
    std::lock_guard lock(mutex_);
    return pendingCall_ != nullptr || !messages_.empty();
}

bool TGuiQueue::DropCall() {
    {
        std::lock_guard lock(mutex_);
        if (!pendingCall_) return false;
        pendingCall_ = nullptr;
        droppedSerial_ = callSerial_;
    }
    done_.notify_all();
    return true;
}
