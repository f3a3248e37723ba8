#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

namespace zifferon::console {

// What a source reports when it sets no limit.
inline constexpr std::uint64_t unlimitedMemory = UINT64_MAX;

// Where the probe looks. The running program passes "/" and its own getrlimit values; tests pass
// a directory tree of their own and values of their own.
struct MemorySources {
    std::filesystem::path root;                         // holds proc/ and sys/fs/cgroup/
    std::uint64_t addressSpaceLimit = unlimitedMemory;  // RLIMIT_AS, soft
    std::uint64_t dataLimit = unlimitedMemory;          // RLIMIT_DATA, soft
    std::uint64_t pageSize = 4096;                      // the unit of proc/self/statm
    // The bytes the process's allocator has taken from the system so far, or nullptr when that
    // is not known. A figure that cannot be read again counts as it was last read, less what
    // the allocator took since.
    std::uint64_t (*allocatedBytes)() = nullptr;
};

// The bytes the process can still obtain (Linux): the least of the kernel's MemAvailable, the
// headroom of every memory cgroup from the process's own up to the root (v1 and v2), and the
// headroom under the address-space and data limits. Memory already held counts as used, so each
// figure is what is left.
//
// The probe reads every source once when it is made: the process's cgroups and their limits are
// remembered, and the files whose figures change (usage, statistics, MemAvailable, statm) are
// kept open and read again on every call, so that a process that has used up its descriptors
// still decides on current figures. Where a figure cannot be read again, it counts as last read
// less what the allocator took since; a figure that was never read leaves nothing (every
// request is refused until it can be read). Only a source whose files do not exist limits
// nothing; with no source at all the result is unlimitedMemory.
class MemoryProbe {
public:
    explicit MemoryProbe(const MemorySources& sources);
    ~MemoryProbe();
    MemoryProbe(const MemoryProbe&) = delete;
    MemoryProbe& operator=(const MemoryProbe&) = delete;

    std::uint64_t available();
    // The soft limits from now on, for a process whose limits changed since the probe was made.
    void setResourceLimits(std::uint64_t addressSpaceLimit, std::uint64_t dataLimit);

private:
    struct Sources;
    std::unique_ptr<Sources> sources;
};

// One probe made and asked at once.
std::uint64_t probeAvailableMemory(const MemorySources& sources);

}  // namespace zifferon::console
