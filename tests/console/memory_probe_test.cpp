#include "zifferon/console/memory_probe.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "soft_limit.hpp"

namespace zifferon::console {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t mebibyte = std::uint64_t{1} << 20;
// cgroup v1's "no limit" with 4 KiB pages.
constexpr const char* v1NoLimit = "9223372036854771712\n";

// A fake root with proc/ and sys/fs/cgroup/ files of the test's choosing.
class MemoryProbe : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "memory_probe_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        sources.root = pattern;
    }
    void TearDown() override { fs::remove_all(sources.root); }

    void write(const fs::path& file, const std::string& text) {
        fs::create_directories((sources.root / file).parent_path());
        std::ofstream(sources.root / file) << text;
    }
    void cgroupV1(const fs::path& group, const std::string& limit, std::uint64_t usage) {
        write("sys/fs/cgroup/memory" / group / "memory.limit_in_bytes", limit);
        write("sys/fs/cgroup/memory" / group / "memory.usage_in_bytes",
              std::to_string(usage) + "\n");
    }
    std::uint64_t probe() const { return probeAvailableMemory(sources); }

    MemorySources sources;
};

TEST_F(MemoryProbe, KernelAvailableMemoryInKibibytes) {
    write("proc/meminfo",
          "MemTotal:       16000000 kB\n"
          "MemFree:         1000000 kB\n"
          "MemAvailable:    8000000 kB\n"
          "Buffers:          200000 kB\n");
    EXPECT_EQ(probe(), 8000000 * std::uint64_t{1024});
}

TEST_F(MemoryProbe, CgroupV1LimitOnAnAncestorCountsItsWholeUsage) {
    write("proc/self/cgroup", "5:cpu,cpuacct:/elsewhere\n4:memory:/outer/inner\n0::/\n");
    cgroupV1("", v1NoLimit, 90 * mebibyte);
    cgroupV1("outer", std::to_string(700 * mebibyte) + "\n", 300 * mebibyte);
    cgroupV1("outer/inner", v1NoLimit, 100 * mebibyte);
    EXPECT_EQ(probe(), 400 * mebibyte);
}

TEST_F(MemoryProbe, CgroupV2MaxIsNoLimit) {
    write("proc/self/cgroup", "0::/service/job\n");
    write("sys/fs/cgroup/service/memory.max", std::to_string(64 * mebibyte) + "\n");
    write("sys/fs/cgroup/service/memory.current", std::to_string(40 * mebibyte) + "\n");
    write("sys/fs/cgroup/service/job/memory.max", "max\n");
    write("sys/fs/cgroup/service/job/memory.current", std::to_string(30 * mebibyte) + "\n");
    EXPECT_EQ(probe(), 24 * mebibyte);
}

// Cache the kernel drops before the group runs out does not use up the limit.
TEST_F(MemoryProbe, InactiveFileCacheOfTheGroupsSubtreeIsFree) {
    write("proc/self/cgroup", "4:memory:/job\n");
    cgroupV1("job", std::to_string(100 * mebibyte) + "\n", 90 * mebibyte);
    write("sys/fs/cgroup/memory/job/memory.stat",
          "cache 60000000\ninactive_file 10485760\ntotal_inactive_file 52428800\n");
    EXPECT_EQ(probe(), 60 * mebibyte);
}

TEST_F(MemoryProbe, UsageAboveTheLimitLeavesNothing) {
    write("proc/self/cgroup", "4:memory:/job\n");
    cgroupV1("job", std::to_string(100 * mebibyte) + "\n", 101 * mebibyte);
    EXPECT_EQ(probe(), 0U);
}

// statm counts pages: the address space first, data (with the stack) sixth.
TEST_F(MemoryProbe, ResourceLimitsLessWhatTheProcessUsesOfEach) {
    write("proc/self/statm", "2000 700 100 50 0 900 0\n");
    sources.pageSize = 4096;
    sources.addressSpaceLimit = 2000 * 4096 + 12345;
    EXPECT_EQ(probe(), 12345U);

    sources.addressSpaceLimit = unlimitedMemory;
    sources.dataLimit = 900 * 4096 + 777;
    EXPECT_EQ(probe(), 777U);
}

TEST_F(MemoryProbe, TheLeastHeadroomOfAllSources) {
    write("proc/meminfo", "MemAvailable: " + std::to_string(30 * 1024) + " kB\n");
    write("proc/self/cgroup", "4:memory:/job\n");
    cgroupV1("job", std::to_string(15 * mebibyte) + "\n", 5 * mebibyte);
    write("proc/self/statm", "256 0 0 0 0 0 0\n");
    sources.pageSize = 4096;
    sources.addressSpaceLimit = 21 * mebibyte;
    EXPECT_EQ(probe(), 10 * mebibyte);
}

TEST_F(MemoryProbe, MissingFilesLimitNothing) {
    EXPECT_EQ(probe(), unlimitedMemory);

    write("proc/self/cgroup", "4:memory:/job\n0::/job\n");
    EXPECT_EQ(probe(), unlimitedMemory);

    // Without statm the usage is unknown; the limit itself is still a bound.
    sources.dataLimit = 5 * mebibyte;
    EXPECT_EQ(probe(), 5 * mebibyte);
}

// The lowest limit of descriptors that still lets the process open `count` more: descriptors
// are numbered from the lowest free one, so a limit at the (count + 1)-th free number leaves the
// `count` below it.
std::uint64_t descriptorLimitFreeing(int count) {
    std::vector<int> taken;
    for (int i = 0; i <= count; ++i) {
        taken.push_back(dup(STDERR_FILENO));
    }
    for (const int descriptor : taken) {
        close(descriptor);
    }
    return static_cast<std::uint64_t>(taken.back());
}

// Lets the process open only `count` more descriptors while it exists.
struct FreeDescriptors : testing::SoftLimit {
    explicit FreeDescriptors(int count) : SoftLimit(RLIMIT_NOFILE, descriptorLimitFreeing(count)) {}
};

std::uint64_t allocatedSoFar = 0;
std::uint64_t allocated() {
    return allocatedSoFar;
}

// The probe keeps its files open: it reads current figures without opening anything, even when
// the paths are gone.
TEST_F(MemoryProbe, KeptFilesAreReadAgainWithoutTheirPaths) {
    write("proc/meminfo", "MemAvailable: " + std::to_string(500 * 1024) + " kB\n");
    write("proc/self/cgroup", "4:memory:/job\n");
    cgroupV1("job", std::to_string(100 * mebibyte) + "\n", 10 * mebibyte);
    console::MemoryProbe probe(sources);
    EXPECT_EQ(probe.available(), 90 * mebibyte);

    cgroupV1("job", std::to_string(100 * mebibyte) + "\n", 40 * mebibyte);  // same files
    const fs::path moved = sources.root.string() + ".moved";
    fs::rename(sources.root, moved);
    EXPECT_EQ(probe.available(), 60 * mebibyte);
    fs::rename(moved, sources.root);
}

// What cannot be read is not taken for "no limit": never read, it leaves nothing; read once, it
// counts as then, less what the process allocated since.
TEST_F(MemoryProbe, FiguresThatCannotBeReadAreTakenAtTheirWorst) {
    write("proc/meminfo", "MemAvailable: " + std::to_string(50 * 1024) + " kB\n");
    write("proc/self/cgroup", "4:memory:/job\n");
    cgroupV1("job", std::to_string(100 * mebibyte) + "\n", 10 * mebibyte);
    sources.allocatedBytes = &allocated;
    allocatedSoFar = 0;
    {
        const FreeDescriptors none(0);
        console::MemoryProbe blind(sources);
        EXPECT_EQ(blind.available(), 0U);
    }

    std::optional<console::MemoryProbe> probe;
    {
        // Enough to read every file once, one after the other, but the probe keeps none: it
        // never takes the last free descriptor.
        const FreeDescriptors one(1);
        probe.emplace(sources);
        const int spare = dup(STDERR_FILENO);
        EXPECT_GE(spare, 0);
        close(spare);
    }
    EXPECT_EQ(probe->available(), 50 * mebibyte);  // now every file is read and kept
    probe.reset();
    {
        // Two: the probe keeps one, the group's usage, which limits the most.
        const FreeDescriptors two(2);
        probe.emplace(sources);
    }
    cgroupV1("job", std::to_string(100 * mebibyte) + "\n", 75 * mebibyte);
    allocatedSoFar = 20 * mebibyte;
    {
        const FreeDescriptors none(0);
        EXPECT_EQ(probe->available(), 25 * mebibyte);  // the group's usage, read now
    }
    cgroupV1("job", std::to_string(100 * mebibyte) + "\n", 10 * mebibyte);
    allocatedSoFar = 40 * mebibyte;
    {
        const FreeDescriptors none(0);
        EXPECT_EQ(probe->available(), 10 * mebibyte);  // MemAvailable as read, less 40 MiB
    }
}

}  // namespace
}  // namespace zifferon::console
