#include "console/system.hpp"

#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace zifferon::console {

std::int64_t calendarSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

CalendarDate localDate(std::int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&time, &local);
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

void sleepMilliseconds(unsigned milliseconds) {
    timespec remaining{static_cast<time_t>(milliseconds / 1000),
                       static_cast<long>(milliseconds % 1000) * 1'000'000L};
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

std::uint64_t physicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) {
        return UINT64_MAX;  // unknown: leave the refusal to the allocator
    }
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

}  // namespace zifferon::console
