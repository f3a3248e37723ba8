#pragma once

#include <cstdint>

#include "platform.hpp"

namespace zifferon::serienlauf {

// The simulated clock of a time-lapse run: it starts at a given calendar time and moves only
// by the waits, which take no real time. The dates are the local dates of the simulated time,
// so a run writes what a real run started at that time would write if its calculations took
// no time.
class TimeLapse final : public Clock, public Sleeper {
public:
    explicit TimeLapse(std::int64_t start) : now(start) {}

    std::int64_t seconds() override { return now; }
    console::CalendarDate date(std::int64_t seconds) override;
    void sleep(unsigned milliseconds) override;

private:
    std::int64_t now;
    unsigned pendingMilliseconds = 0;  // waited, but not yet a whole second
};

}  // namespace zifferon::serienlauf
