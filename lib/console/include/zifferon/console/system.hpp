#pragma once

#include <cstdint>
#include <optional>

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

// A wall-clock reading in the local time zone.
struct LocalTime {
    int year;    // 1970 to 2999
    int month;   // 1 to 12
    int day;     // 1 to 31
    int hour;    // 0 to 23
    int minute;  // 0 to 59
    int second;  // 0 to 59
};

// The calendar time at which the local clock shows `time`: none when the local clock never
// shows it (the hour skipped when summer time begins) or the date is out of range. When it
// shows it twice (the hour repeated when summer time ends), the first.
std::optional<std::int64_t> calendarSecondsAt(const LocalTime& time);

// Waits, without using the processor.
void sleepMilliseconds(unsigned milliseconds);

// The bytes this process can still obtain, for refusing an allocation the system could not
// back: on Linux an oversized allocation is not refused but ends the process. Asked afresh on
// every call, through files opened when the program started (see MemoryProbe); UINT64_MAX when
// nothing is known.
std::uint64_t availableMemoryBytes();

}  // namespace zifferon::console
