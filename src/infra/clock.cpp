// The system clock and the replaceable clock in force.
#include "clock.h"

#include <chrono>
#include <thread>

namespace {

class SystemClock : public IClock {
public:
    std::uint32_t TickCount() override {
        using namespace std::chrono;
        return static_cast<std::uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void Sleep(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

SystemClock g_systemClock;
IClock* g_clock = &g_systemClock;

}  // namespace

IClock& Clock() {
    return *g_clock;
}
void SetClock(IClock* clock) {
    g_clock = clock ? clock : &g_systemClock;
}
