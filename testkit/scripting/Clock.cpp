#include "testing/Clock.h"

#include <thread>

namespace mgmtkit {

namespace {

class RealClock final : public Clock {
public:
    Time now() override { return std::chrono::system_clock::now(); }
    void sleepFor(std::chrono::microseconds duration) override { std::this_thread::sleep_for(duration); }
};

}  // namespace

Clock& Clock::real() {
    static RealClock clock;
    return clock;
}

Clock::Time FakeClock::now() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return now_;
}

void FakeClock::advance(std::chrono::microseconds duration) {
    const std::lock_guard<std::mutex> lock(mutex_);
    now_ += duration;
}

}  // namespace mgmtkit
