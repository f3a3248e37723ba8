#include "zifferon/console/system.hpp"

#include <windows.h>

#include <cstdint>
#include <ctime>

#include "../local_time.hpp"

namespace zifferon::console {

std::int64_t calendarSeconds() {
    return static_cast<std::int64_t>(_time64(nullptr));
}

CalendarDate localDate(std::int64_t seconds) {
    const __time64_t time = seconds;
    std::tm local{};
    _localtime64_s(&local, &time);
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

std::optional<std::int64_t> calendarSecondsAt(const LocalTime& time) {
    return firstCalendarSecondsAt(
        time, [](std::tm& fields) { return _mktime64(&fields); },
        [](__time64_t seconds, std::tm& fields) { return _localtime64_s(&fields, &seconds) == 0; });
}

void sleepMilliseconds(unsigned milliseconds) {
    Sleep(milliseconds);
}

// Free physical memory, and for a 32-bit process also the address space it has left.
std::uint64_t availableMemoryBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status) == 0) {
        return UINT64_MAX;  // unknown: leave the refusal to the allocator
    }
    return status.ullAvailPhys < status.ullAvailVirtual ? status.ullAvailPhys
                                                        : status.ullAvailVirtual;
}

}  // namespace zifferon::console
