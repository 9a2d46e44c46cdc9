// The time the simulated services keep: when a call was made and how long a
// late answer takes. Clock::real() is the system's; a FakeClock moves only
// when it is told to, so a test of a late answer or a time-out takes no real
// time at all.
#pragma once

#include <chrono>
#include <mutex>

namespace mgmtkit {

class Clock {
public:
    using Time = std::chrono::system_clock::time_point;

    virtual ~Clock() = default;
    virtual Time now() = 0;
    // Waits `duration` of this clock's time.
    virtual void sleepFor(std::chrono::microseconds duration) = 0;

    // The system's clock; waiting really waits.
    static Clock& real();
};

// A clock that stands still until advanced. Waiting on it advances it at
// once, by exactly the time waited, so what the waiting caller sees afterwards
// is what it would see after really waiting.
class FakeClock : public Clock {
public:
    explicit FakeClock(Time start = Time()) : now_(start) {}

    Time now() override;
    void sleepFor(std::chrono::microseconds duration) override { advance(duration); }
    void advance(std::chrono::microseconds duration);

private:
    std::mutex mutex_;
    Time now_;
};

}  // namespace mgmtkit
