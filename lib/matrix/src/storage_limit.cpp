#include "zifferon/matrix/storage_limit.hpp"

#include <new>

#include "zifferon/console/system.hpp"

namespace zifferon {

namespace {

// Below 1 MiB the memory is not asked: a probe reads several files, the batch programs size
// tens of thousands of small matrices, and a request that small does not decide whether the
// process survives.
constexpr std::uint64_t probeThreshold = std::uint64_t{1} << 20;

}  // namespace

std::uint64_t storageBytes(std::uint64_t rows, std::uint64_t columns, std::size_t elementSize) {
    std::uint64_t bytes = 0;
    if (__builtin_mul_overflow(rows, columns, &bytes) ||
        __builtin_mul_overflow(bytes, elementSize, &bytes)) {
        throw std::bad_alloc();
    }
    return bytes;
}

std::uint64_t addStorage(std::uint64_t a, std::uint64_t b) {
    std::uint64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        throw std::bad_alloc();
    }
    return sum;
}

void requireMemory(std::uint64_t bytes) {
    if (bytes >= probeThreshold && bytes > console::availableMemoryBytes()) {
        throw std::bad_alloc();
    }
}

}  // namespace zifferon
