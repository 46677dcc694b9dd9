// The system clock.
#include "clock.h"

#include <chrono>
#include <thread>

namespace {

class TSystemClock : public IClock {
public:
    std::uint32_t TickCount() override {
        using namespace std::chrono;
        return static_cast<std::uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void Sleep(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

IClock& SystemClock() {
    static TSystemClock clock;
    return clock;
}
