#include "zifferon/console/memory_probe.hpp"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace zifferon::console {

namespace {

namespace fs = std::filesystem;

// cgroup v1 writes "no limit" as the largest page multiple below 2^63, which depends on the page
// size; no real limit comes near 2^62.
constexpr std::uint64_t noRealLimit = std::uint64_t{1} << 62;

// The files of one memory cgroup in either version.
struct CgroupFiles {
    const char* limit;
    const char* usage;
    const char* inactiveCache;  // the memory.stat key, counted over the group's subtree
};
constexpr CgroupFiles version1{"memory.limit_in_bytes", "memory.usage_in_bytes",
                               "total_inactive_file"};
constexpr CgroupFiles version2{"memory.max", "memory.current", "inactive_file"};

std::optional<std::uint64_t> parseNumber(std::string_view text) {
    std::uint64_t value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// The first word of a file as a number; "max" and missing files give none.
std::optional<std::uint64_t> numberIn(const fs::path& file) {
    std::ifstream in(file);
    std::string word;
    if (!(in >> word)) {
        return std::nullopt;
    }
    return parseNumber(word);
}

// The number after `key` in a file of "key value" lines (proc/meminfo, memory.stat).
std::optional<std::uint64_t> fieldIn(const fs::path& file, std::string_view key) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string name, value;
        if (words >> name >> value && name == key) {
            return parseNumber(value);
        }
    }
    return std::nullopt;
}

std::uint64_t headroom(std::uint64_t limit, std::uint64_t used) {
    if (limit == unlimitedMemory) {
        return unlimitedMemory;
    }
    return limit > used ? limit - used : 0;
}

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
    std::uint64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? unlimitedMemory : product;
}

std::uint64_t kernelAvailable(const fs::path& root) {
    const std::optional<std::uint64_t> kibibytes = fieldIn(root / "proc/meminfo", "MemAvailable:");
    return kibibytes ? saturatingProduct(*kibibytes, 1024) : unlimitedMemory;
}

std::uint64_t groupHeadroom(const fs::path& group, const CgroupFiles& files) {
    const std::optional<std::uint64_t> limit = numberIn(group / files.limit);
    if (!limit || *limit >= noRealLimit) {
        return unlimitedMemory;
    }
    std::uint64_t used = numberIn(group / files.usage).value_or(0);
    // Inactive file cache is reclaimed before the group runs out, so it does not use up the
    // limit; the usage of a busy build machine's groups is mostly such cache.
    used -= std::min(used, fieldIn(group / "memory.stat", files.inactiveCache).value_or(0));
    return headroom(*limit, used);
}

// A limit may sit on any ancestor, so every group from the mount's root down to the process's
// own counts.
std::uint64_t hierarchyHeadroom(const fs::path& mount, const fs::path& groupPath,
                                const CgroupFiles& files) {
    std::uint64_t least = groupHeadroom(mount, files);
    fs::path group = mount;
    for (const fs::path& part : groupPath.relative_path()) {
        if (part == "..") {
            break;  // a group outside this cgroup namespace: only its visible root is known
        }
        if (part.empty() || part == ".") {
            continue;
        }
        group /= part;
        least = std::min(least, groupHeadroom(group, files));
    }
    return least;
}

bool namesMemoryController(std::string_view controllers) {
    while (!controllers.empty()) {
        const std::size_t comma = controllers.find(',');
        if (controllers.substr(0, comma) == "memory") {
            return true;
        }
        controllers = comma == std::string_view::npos ? "" : controllers.substr(comma + 1);
    }
    return false;
}

// Lines of proc/self/cgroup are "id:controllers:path": "4:memory:/a/b" places the process in
// the v1 memory hierarchy, "0::/a/b" in the v2 one.
std::uint64_t cgroupHeadroom(const fs::path& root) {
    std::uint64_t least = unlimitedMemory;
    std::ifstream in(root / "proc/self/cgroup");
    for (std::string line; std::getline(in, line);) {
        const std::size_t first = line.find(':');
        const std::size_t second =
            first == std::string::npos ? std::string::npos : line.find(':', first + 1);
        if (second == std::string::npos) {
            continue;
        }
        const std::string_view id(line.data(), first);
        const std::string_view controllers(line.data() + first + 1, second - first - 1);
        const fs::path path = line.substr(second + 1);
        if (id == "0" && controllers.empty()) {
            least = std::min(least, hierarchyHeadroom(root / "sys/fs/cgroup", path, version2));
        } else if (namesMemoryController(controllers)) {
            least =
                std::min(least, hierarchyHeadroom(root / "sys/fs/cgroup/memory", path, version1));
        }
    }
    return least;
}

// proc/self/statm gives, in pages, the address space first and data plus stack sixth.
std::uint64_t resourceLimitHeadroom(const MemorySources& sources) {
    if (sources.addressSpaceLimit == unlimitedMemory && sources.dataLimit == unlimitedMemory) {
        return unlimitedMemory;
    }
    std::ifstream in(sources.root / "proc/self/statm");
    std::uint64_t size = 0, resident = 0, shared = 0, text = 0, library = 0, data = 0;
    if (!(in >> size >> resident >> shared >> text >> library >> data)) {
        size = data = 0;  // usage unknown: the limits themselves are the headroom
    }
    return std::min(headroom(sources.addressSpaceLimit, saturatingProduct(size, sources.pageSize)),
                    headroom(sources.dataLimit, saturatingProduct(data, sources.pageSize)));
}

}  // namespace

std::uint64_t probeAvailableMemory(const MemorySources& sources) {
    return std::min({kernelAvailable(sources.root), cgroupHeadroom(sources.root),
                     resourceLimitHeadroom(sources)});
}

}  // namespace zifferon::console
