#include "zifferon/console/memory_probe.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

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

// Takes the first line off the front of `text`.
std::string_view takeLine(std::string_view& text) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    return line;
}

// Takes the next blank-separated word off the front of `text`.
std::string_view takeWord(std::string_view& text) {
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    const std::size_t end = std::min(text.find_first_of(" \t"), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

// The first word of a text as a number; "max" gives none.
std::optional<std::uint64_t> firstNumber(std::string_view text) {
    std::string_view line = takeLine(text);
    return parseNumber(takeWord(line));
}

// The number after `key` in a text of "key value" lines (proc/meminfo, memory.stat).
std::optional<std::uint64_t> fieldIn(std::string_view text, std::string_view key) {
    while (!text.empty()) {
        std::string_view line = takeLine(text);
        if (takeWord(line) == key) {
            return parseNumber(takeWord(line));
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

// How a figure is read: the probe's first reading takes one descriptor at a time and gives it
// back, so that it learns every figure even with a single free descriptor; later readings keep
// the files open.
enum class Reading { once, keepingOpen };

// A file whose figures are read again on every probe.
class FigureFile {
public:
    explicit FigureFile(fs::path path) : path(std::move(path)) {}
    ~FigureFile() {
        if (kept >= 0) {
            ::close(kept);
        }
    }
    FigureFile(const FigureFile&) = delete;
    FigureFile& operator=(const FigureFile&) = delete;

    // The file's text as it is now; nullptr when it cannot be read.
    const std::string* read(Reading reading) {
        if (reading == Reading::keepingOpen) {
            keep();
        }
        if (kept >= 0) {
            return readFrom(kept) ? &text : nullptr;
        }
        const int descriptor = open();
        if (descriptor < 0) {
            return nullptr;
        }
        const bool read = readFrom(descriptor);
        ::close(descriptor);
        return read ? &text : nullptr;
    }

    // Opens the file for good, unless it is open already or the process cannot spare a
    // descriptor: one always stays free for whatever else it opens (the time zone, a terminal).
    void keep() {
        if (kept >= 0) {
            return;
        }
        int descriptor = open();
        if (descriptor >= 0 && descriptor <= STDERR_FILENO) {
            // The number of a closed standard stream is not taken for good: the program would
            // read or write this file in that stream's place.
            const int moved = ::fcntl(descriptor, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
            ::close(descriptor);
            descriptor = moved;
        }
        if (descriptor >= 0) {
            const int spare = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
            if (spare < 0) {
                ::close(descriptor);
                descriptor = -1;
            } else {
                ::close(spare);
            }
        }
        kept = descriptor;
    }

    // The last attempt to open the file found that it does not exist.
    bool missing() const { return absent; }

private:
    int open() {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        absent = descriptor < 0 && (errno == ENOENT || errno == ENOTDIR);
        return descriptor;
    }

    bool readFrom(int descriptor) {
        text.clear();
        char chunk[4096];
        for (off_t offset = 0;;) {
            const ssize_t count = ::pread(descriptor, chunk, sizeof chunk, offset);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count <= 0) {
                return count == 0;
            }
            text.append(chunk, static_cast<std::size_t>(count));
            offset += count;
        }
    }

    fs::path path;
    int kept = -1;
    bool absent = false;
    std::string text;
};

// One bound on the memory, as its files gave it when they were last read.
class Bound {
public:
    // The bound's headroom: `fresh` when it could be read now, otherwise the figure last read
    // less what the allocator took since, or nothing when it was never read.
    std::uint64_t headroom(std::optional<std::uint64_t> fresh, std::uint64_t allocatedNow) {
        if (fresh) {
            last = fresh;
            allocatedThen = allocatedNow;
            return *fresh;
        }
        if (!last) {
            return 0;
        }
        const std::uint64_t taken = allocatedNow > allocatedThen ? allocatedNow - allocatedThen : 0;
        return *last > taken ? *last - taken : 0;
    }

private:
    std::optional<std::uint64_t> last;
    std::uint64_t allocatedThen = 0;
};

// One memory cgroup on the process's path. Its limit is read once; its usage and the cache that
// does not use up the limit are read on every probe.
class Group {
public:
    Group(const fs::path& directory, const CgroupFiles& files)
        : limitFile(directory / files.limit),
          usage(directory / files.usage),
          statistics(directory / "memory.stat"),
          inactiveKey(files.inactiveCache) {
        readLimit();
    }

    // Whether the group sets a limit, or may set one that could not be read yet.
    bool mayLimit() const { return !limit || *limit != unlimitedMemory; }

    void keepFiles() {
        usage.keep();
        statistics.keep();
    }

    std::uint64_t headroom(Reading reading, std::uint64_t allocatedNow) {
        if (!limit) {
            readLimit();
        }
        if (!mayLimit()) {
            return unlimitedMemory;
        }
        return bound.headroom(limit ? current(reading) : std::nullopt, allocatedNow);
    }

private:
    void readLimit() {
        if (const std::string* text = limitFile.read(Reading::once)) {
            const std::optional<std::uint64_t> value = firstNumber(*text);
            limit = value && *value < noRealLimit ? *value : unlimitedMemory;
        } else if (limitFile.missing()) {
            limit = unlimitedMemory;
        }
    }

    std::optional<std::uint64_t> current(Reading reading) {
        const std::string* const usageText = usage.read(reading);
        const std::optional<std::uint64_t> used =
            usageText != nullptr ? firstNumber(*usageText) : std::nullopt;
        if (!used) {
            return std::nullopt;
        }
        // Inactive file cache is reclaimed before the group runs out, so it does not use up the
        // limit; the usage of a busy build machine's groups is mostly such cache. Unread, none
        // is counted.
        const std::string* const statisticsText = statistics.read(reading);
        const std::uint64_t inactive =
            statisticsText != nullptr ? fieldIn(*statisticsText, inactiveKey).value_or(0) : 0;
        return ::zifferon::console::headroom(*limit, *used - std::min(*used, inactive));
    }

    FigureFile limitFile;
    std::optional<std::uint64_t> limit;  // unlimitedMemory: none; empty: not read yet
    FigureFile usage;
    FigureFile statistics;
    const char* inactiveKey;
    Bound bound;
};

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

}  // namespace

struct MemoryProbe::Sources {
    explicit Sources(const MemorySources& given)
        : given(given),
          meminfo(given.root / "proc/meminfo"),
          statm(given.root / "proc/self/statm"),
          membership(given.root / "proc/self/cgroup") {}

    std::uint64_t allocatedBytes() const {
        return given.allocatedBytes != nullptr ? given.allocatedBytes() : 0;
    }

    std::uint64_t available(Reading reading) {
        const std::uint64_t allocatedNow = allocatedBytes();
        return std::min({kernelHeadroom(reading, allocatedNow),
                         cgroupHeadroom(reading, allocatedNow),
                         resourceLimitHeadroom(reading, allocatedNow)});
    }

    // The files that limit the most are kept first: with few descriptors free, the cgroups'.
    void keepFiles() {
        for (Group& group : groups) {
            group.keepFiles();
        }
        if (limitsResources()) {
            statm.keep();
        }
        meminfo.keep();
    }

    std::uint64_t kernelHeadroom(Reading reading, std::uint64_t allocatedNow) {
        const std::string* const text = meminfo.read(reading);
        if (text == nullptr && meminfo.missing()) {
            return unlimitedMemory;
        }
        std::optional<std::uint64_t> kibibytes;
        if (text != nullptr) {
            kibibytes = fieldIn(*text, "MemAvailable:");
            if (!kibibytes) {
                return unlimitedMemory;  // a kernel that does not tell
            }
        }
        return kernel.headroom(
            kibibytes ? std::optional(saturatingProduct(*kibibytes, 1024)) : std::nullopt,
            allocatedNow);
    }

    std::uint64_t cgroupHeadroom(Reading reading, std::uint64_t allocatedNow) {
        if (!groupsKnown) {
            findGroups();
        }
        if (!groupsKnown) {
            return 0;  // limits that could not be looked for count as spent
        }
        std::uint64_t least = unlimitedMemory;
        for (Group& group : groups) {
            least = std::min(least, group.headroom(reading, allocatedNow));
        }
        return least;
    }

    // Lines of proc/self/cgroup are "id:controllers:path": "4:memory:/a/b" places the process
    // in the v1 memory hierarchy, "0::/a/b" in the v2 one.
    void findGroups() {
        const std::string* const text = membership.read(Reading::once);
        groupsKnown = text != nullptr || membership.missing();
        if (text == nullptr) {
            return;
        }
        std::string_view lines = *text;
        while (!lines.empty()) {
            const std::string_view line = takeLine(lines);
            const std::size_t first = line.find(':');
            const std::size_t second =
                first == std::string_view::npos ? first : line.find(':', first + 1);
            if (second == std::string_view::npos) {
                continue;
            }
            const std::string_view id = line.substr(0, first);
            const std::string_view controllers = line.substr(first + 1, second - first - 1);
            const fs::path path(line.substr(second + 1));
            if (id == "0" && controllers.empty()) {
                addHierarchy(given.root / "sys/fs/cgroup", path, version2);
            } else if (namesMemoryController(controllers)) {
                addHierarchy(given.root / "sys/fs/cgroup/memory", path, version1);
            }
        }
    }

    // A limit may sit on any ancestor, so every group from the mount's root down to the
    // process's own counts; only those that set a limit are kept.
    void addHierarchy(const fs::path& mount, const fs::path& groupPath, const CgroupFiles& files) {
        addGroup(mount, files);
        fs::path group = mount;
        for (const fs::path& part : groupPath.relative_path()) {
            if (part == "..") {
                break;  // a group outside this cgroup namespace: only its visible root is known
            }
            if (part.empty() || part == ".") {
                continue;
            }
            group /= part;
            addGroup(group, files);
        }
    }

    void addGroup(const fs::path& directory, const CgroupFiles& files) {
        Group& group = groups.emplace_back(directory, files);
        if (!group.mayLimit()) {
            groups.pop_back();
        }
    }

    bool limitsResources() const {
        return given.addressSpaceLimit != unlimitedMemory || given.dataLimit != unlimitedMemory;
    }

    // proc/self/statm gives, in pages, the address space first and data plus stack sixth.
    std::uint64_t resourceLimitHeadroom(Reading reading, std::uint64_t allocatedNow) {
        if (!limitsResources()) {
            return unlimitedMemory;
        }
        const std::string* const text = statm.read(reading);
        std::uint64_t size = 0;
        std::uint64_t data = 0;
        if (text != nullptr) {
            std::string_view words = *text;
            std::optional<std::uint64_t> fields[6];
            for (std::optional<std::uint64_t>& field : fields) {
                field = parseNumber(takeWord(words));
            }
            if (!fields[0] || !fields[5]) {
                return resourceLimits.headroom(std::nullopt, allocatedNow);
            }
            size = *fields[0];
            data = *fields[5];
        } else if (!statm.missing()) {
            return resourceLimits.headroom(std::nullopt, allocatedNow);
        }
        // Without statm at all, the limits themselves are the headroom.
        return resourceLimits.headroom(
            std::min(headroom(given.addressSpaceLimit, saturatingProduct(size, given.pageSize)),
                     headroom(given.dataLimit, saturatingProduct(data, given.pageSize))),
            allocatedNow);
    }

    MemorySources given;
    FigureFile meminfo;
    Bound kernel;
    FigureFile statm;
    Bound resourceLimits;
    FigureFile membership;
    bool groupsKnown = false;
    std::deque<Group> groups;  // only those that may limit; a Group cannot move
};

MemoryProbe::MemoryProbe(const MemorySources& given) : sources(std::make_unique<Sources>(given)) {
    sources->available(Reading::once);
    sources->keepFiles();
}

MemoryProbe::~MemoryProbe() = default;

std::uint64_t MemoryProbe::available() {
    return sources->available(Reading::keepingOpen);
}

void MemoryProbe::setResourceLimits(std::uint64_t addressSpaceLimit, std::uint64_t dataLimit) {
    sources->given.addressSpaceLimit = addressSpaceLimit;
    sources->given.dataLimit = dataLimit;
}

std::uint64_t probeAvailableMemory(const MemorySources& given) {
    return MemoryProbe(given).available();
}

}  // namespace zifferon::console
