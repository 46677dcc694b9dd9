// The system clock and the weeks of the ranking list.
#include "server_clock.h"

#include <charconv>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>

std::int64_t SystemServerClock::Now() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t WeekStart(std::int64_t unixSeconds) {
    constexpr std::int64_t kDay = 86400;
    // Day 0, 1 January 1970, was a Thursday: three days after a Monday.
    std::int64_t day = unixSeconds / kDay;
    if (unixSeconds % kDay < 0) --day;
    std::int64_t sinceMonday = (day + 3) % 7;
    if (sinceMonday < 0) sinceMonday += 7;
    return (day - sinceMonday) * kDay;
}

std::int64_t FileServerClock::Now() {
    std::ifstream in(file_);
    std::string text;
    if (!in || !std::getline(in, text))
        throw std::runtime_error("cannot read the clock file " + file_.string());
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.pop_back();
    std::int64_t now = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), now);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw std::runtime_error("the clock file " + file_.string() + " holds no Unix time");
    return now;
}
