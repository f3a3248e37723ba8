#include "time_lapse.hpp"

namespace zifferon::serienlauf {

console::CalendarDate TimeLapse::date(std::int64_t at) {
    return console::localDate(at);
}

void TimeLapse::sleep(unsigned milliseconds) {
    const std::uint64_t waited = std::uint64_t{pendingMilliseconds} + milliseconds;
    now += static_cast<std::int64_t>(waited / 1000);
    pendingMilliseconds = static_cast<unsigned>(waited % 1000);
}

}  // namespace zifferon::serienlauf
