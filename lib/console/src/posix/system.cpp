#include "zifferon/console/system.hpp"

#include <malloc.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "../local_time.hpp"
#include "zifferon/console/memory_probe.hpp"

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

std::optional<std::int64_t> calendarSecondsAt(const LocalTime& time) {
    return firstCalendarSecondsAt(
        time, [](std::tm& fields) { return std::mktime(&fields); },
        [](std::time_t seconds, std::tm& fields) {
            return localtime_r(&seconds, &fields) != nullptr;
        });
}

void sleepMilliseconds(unsigned milliseconds) {
    timespec remaining{static_cast<time_t>(milliseconds / 1000),
                       static_cast<long>(milliseconds % 1000) * 1'000'000L};
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

namespace {

std::uint64_t softLimit(int resource) {
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return unlimitedMemory;
    }
    return static_cast<std::uint64_t>(limit.rlim_cur);
}

// Where no /proc tells more, the physical memory still bounds what the process can get.
std::uint64_t physicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    std::uint64_t bytes = 0;
    if (pages <= 0 || pageSize <= 0 ||
        __builtin_mul_overflow(static_cast<std::uint64_t>(pages),
                               static_cast<std::uint64_t>(pageSize), &bytes)) {
        return unlimitedMemory;
    }
    return bytes;
}

// What the allocator holds from the system: its heaps and its separately mapped blocks.
std::uint64_t allocatorBytes() {
#ifdef __GLIBC__
    const struct mallinfo2 info = mallinfo2();
    return info.arena + info.hblkhd;
#else
    return 0;
#endif
}

MemoryProbe& processMemory() {
    static MemoryProbe probe = [] {
        MemorySources sources{"/"};
        sources.addressSpaceLimit = softLimit(RLIMIT_AS);
        sources.dataLimit = softLimit(RLIMIT_DATA);
        if (const long pageSize = sysconf(_SC_PAGESIZE); pageSize > 0) {
            sources.pageSize = static_cast<std::uint64_t>(pageSize);
        }
        sources.allocatedBytes = &allocatorBytes;
        return MemoryProbe(sources);
    }();
    return probe;
}

// The probe opens its files while the program starts, before anything the program does could
// use up its descriptors.
[[maybe_unused]] const bool memoryProbedAtStart = (processMemory(), true);

}  // namespace

std::uint64_t availableMemoryBytes() {
    static const std::uint64_t physical = physicalMemoryBytes();
    MemoryProbe& probe = processMemory();
    // Asked afresh: a limit is read without a descriptor and cannot fail.
    probe.setResourceLimits(softLimit(RLIMIT_AS), softLimit(RLIMIT_DATA));
    return std::min(probe.available(), physical);
}

}  // namespace zifferon::console
