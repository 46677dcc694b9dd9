// The server's time in Unix seconds, behind an interface so that tests can
// set it (the weekly ranking list depends on it), and the start of a week.
#pragma once

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

// A time set by hand, for tests and benchmarks that call the site directly.
class ManualServerClock : public IServerClock {
public:
    explicit ManualServerClock(std::int64_t now) : now_(now) {}
    std::int64_t Now() override { return now_; }

private:
    std::int64_t now_;
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
