// The server's time in Unix seconds, behind an interface so that tests can
// set it (the weekly ranking list depends on it), and the start of a week.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>

class IServerClock {
public:
    virtual ~IServerClock() = default;
    virtual std::int64_t Now() = 0;
};

class SystemServerClock : public IServerClock {
public:
    std::int64_t Now() override;
};

// Time that moves only when told; safe to read from the server's threads.
class ManualServerClock : public IServerClock {
public:
    explicit ManualServerClock(std::int64_t now) : now_(now) {}
    std::int64_t Now() override { return now_; }
    void Set(std::int64_t now) { now_ = now; }
    void Advance(std::int64_t seconds) { now_ += seconds; }

private:
    std::atomic<std::int64_t> now_;
};

// The week of the ranking list starts on Monday at 00:00 UTC; the start of
// the week that holds the given time.
std::int64_t WeekStart(std::int64_t unixSeconds);

// Time read from a file at every call: Unix seconds in decimal, so that a
// test can move the clock of a running server (--clock-file). Throws
// std::runtime_error when the file cannot be read or holds something else.
class FileServerClock : public IServerClock {
public:
    explicit FileServerClock(std::filesystem::path file) : file_(std::move(file)) {}
    std::int64_t Now() override;

private:
    std::filesystem::path file_;
};
