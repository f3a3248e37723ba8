#pragma once

#include <sys/resource.h>

#include <cstdint>

namespace zifferon::testing {

// Sets the soft limit of a resource (RLIMIT_AS, RLIMIT_NOFILE, ...) for as long as it exists,
// then puts the old one back. POSIX only.
class SoftLimit {
public:
    SoftLimit(int resource, std::uint64_t value) : resource(resource) {
        getrlimit(resource, &saved);
        rlimit changed = saved;
        changed.rlim_cur = static_cast<rlim_t>(value);
        setrlimit(resource, &changed);
    }
    ~SoftLimit() { setrlimit(resource, &saved); }
    SoftLimit(const SoftLimit&) = delete;
    SoftLimit& operator=(const SoftLimit&) = delete;

private:
    int resource;
    rlimit saved{};
};

}  // namespace zifferon::testing
