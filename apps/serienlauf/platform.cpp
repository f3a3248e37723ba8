#include "platform.hpp"

#include <cstdlib>

namespace zifferon::serienlauf {

std::int64_t SystemClock::seconds() {
    return console::calendarSeconds();
}

console::CalendarDate SystemClock::date(std::int64_t seconds) {
    return console::localDate(seconds);
}

void SystemSleeper::sleep(unsigned milliseconds) {
    console::sleepMilliseconds(milliseconds);
}

void StandardRandom::seed(std::uint32_t seed) {
    std::srand(seed);
}

int StandardRandom::draw() {
    return std::rand();
}

}  // namespace zifferon::serienlauf
