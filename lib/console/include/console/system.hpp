#pragma once

#include <cstdint>

namespace zifferon::console {

// The calendar time in seconds.
std::int64_t calendarSeconds();

struct CalendarDate {
    int day;    // 1 to 31
    int month;  // 1 to 12
    int year;   // four digits
};

// The local date at the given calendar time.
CalendarDate localDate(std::int64_t calendarSeconds);

// Waits, without using the processor.
void sleepMilliseconds(unsigned milliseconds);

// The machine's physical memory in bytes.
std::uint64_t physicalMemoryBytes();

}  // namespace zifferon::console
