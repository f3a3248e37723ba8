#pragma once

#include <cstdint>

#include "zifferon/console/system.hpp"

namespace zifferon::serienlauf {

// What a mass test needs from its surroundings, so that tests can run a whole table against a
// fake clock in seconds instead of hours.

// Calendar time in whole seconds, and the local date at such a time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t seconds() = 0;
    virtual console::CalendarDate date(std::int64_t seconds) = 0;
};

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void sleep(unsigned milliseconds) = 0;
};

// A pseudo-random generator that can be reseeded; every draw lies between 0 and RAND_MAX.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(std::uint32_t seed) = 0;
    virtual int draw() = 0;
};

// The process's own: the console clock and sleep, and the runtime's srand and rand.
class SystemClock final : public Clock {
public:
    std::int64_t seconds() override;
    console::CalendarDate date(std::int64_t seconds) override;
};

class SystemSleeper final : public Sleeper {
public:
    void sleep(unsigned milliseconds) override;
};

class StandardRandom final : public RandomSource {
public:
    void seed(std::uint32_t seed) override;
    int draw() override;
};

}  // namespace zifferon::serienlauf
