/// \file
/// The time the simulated services keep: the system's, or a fake one a test moves.
#pragma once

#include <chrono>
#include <mutex>

namespace mgmtkit {

/// The time the simulated services keep: when a call was made and how long a
/// late answer takes. Clock::real() is the system's; a FakeClock moves only
/// when it is told to, so a test of a late answer or a time-out takes no real
/// time at all. A channel takes one with FaultScript::useClock().
class Clock {
public:
    /// A point in time, as the call record shows it.
    using Time = std::chrono::system_clock::time_point;

    /// Destroyed through this base by its owner.
    virtual ~Clock() = default;
    /// The time now.
    virtual Time now() = 0;
    /// Waits `duration` of this clock's time.
    virtual void sleepFor(std::chrono::microseconds duration) = 0;

    /// The system's clock; waiting really waits.
    static Clock& real();
};

/// A clock that stands still until advanced. Waiting on it advances it at
/// once, by exactly the time waited, so what the waiting caller sees afterwards
/// is what it would see after really waiting. Any thread may use it.
///
/// \code
/// mgmtkit::FakeClock clock;
/// phone.useClock(clock);
/// phone.setDefaultTimeout(std::chrono::seconds(25));
/// phone.answerLate("getFileTypeNameLimit", std::chrono::seconds(30));
/// service->getFileTypeNameLimit(LocalMgmtIfc::FILETYPE_RINGER);  // at once: 25 s passed on the clock
/// \endcode
class FakeClock : public Clock {
public:
    /// A clock standing at `start`.
    explicit FakeClock(Time start = Time()) : now_(start) {}

    /// Where the clock stands.
    Time now() override;
    /// Advances the clock by `duration` and returns at once.
    void sleepFor(std::chrono::microseconds duration) override { advance(duration); }
    /// Moves the clock on by `duration`.
    void advance(std::chrono::microseconds duration);

private:
    std::mutex mutex_;
    Time now_;
};

}  // namespace mgmtkit
