#pragma once

#include <cstdint>
#include <filesystem>

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
};

// The bytes the process can still obtain (Linux): the least of the kernel's MemAvailable, the
// headroom of every memory cgroup from the process's own up to the root (v1 and v2), and the
// headroom under the address-space and data limits. Memory already held counts as used, so each
// figure is what is left. A source whose files are missing or unreadable limits nothing; with
// no source at all the result is unlimitedMemory.
std::uint64_t probeAvailableMemory(const MemorySources& sources);

}  // namespace zifferon::console
