#pragma once

#include <ctime>
#include <optional>

#include "zifferon/console/system.hpp"

namespace zifferon::console {

// calendarSecondsAt on the platform's own conversions: `toSeconds(std::tm&)` as mktime, which
// gives -1 on failure, and `toFields(seconds, std::tm&)` as localtime, which gives false.
template <class ToSeconds, class ToFields>
std::optional<std::int64_t> firstCalendarSecondsAt(const LocalTime& time, ToSeconds toSeconds,
                                                   ToFields toFields) {
    if (time.year < 1970 || time.year > 2999) {
        return std::nullopt;
    }
    // Standard time, then summer time: a reading repeated when summer time ends has a calendar
    // time in each, a reading skipped when it begins has none that reads back as given.
    std::optional<std::int64_t> first;
    for (const int summerTime : {0, 1}) {
        std::tm fields{};
        fields.tm_year = time.year - 1900;
        fields.tm_mon = time.month - 1;
        fields.tm_mday = time.day;
        fields.tm_hour = time.hour;
        fields.tm_min = time.minute;
        fields.tm_sec = time.second;
        fields.tm_isdst = summerTime;
        const auto seconds = toSeconds(fields);
        std::tm back{};
        if (seconds == -1 || !toFields(seconds, back)) {
            continue;
        }
        const bool readsBack = back.tm_year == time.year - 1900 && back.tm_mon == time.month - 1 &&
                               back.tm_mday == time.day && back.tm_hour == time.hour &&
                               back.tm_min == time.minute && back.tm_sec == time.second;
        if (readsBack && (!first || seconds < *first)) {
            first = static_cast<std::int64_t>(seconds);
        }
    }
    return first;
}

}  // namespace zifferon::console
