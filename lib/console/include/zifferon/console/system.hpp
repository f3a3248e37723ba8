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

// The bytes this process can still obtain, for refusing an allocation the system could not
// back: on Linux an oversized allocation is not refused but ends the process. Asked afresh on
// every call, through files opened when the program started (see MemoryProbe); UINT64_MAX when
// nothing is known.
std::uint64_t availableMemoryBytes();

}  // namespace zifferon::console
