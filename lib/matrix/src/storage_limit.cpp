#include "matrix/storage_limit.hpp"

#include <new>

#include "console/system.hpp"

namespace zifferon {

namespace {

// Asked once: every matrix construction checks against it.
std::uint64_t memoryBytes() {
    static const std::uint64_t bytes = console::physicalMemoryBytes();
    return bytes;
}

}  // namespace

void requireStorage(std::uint64_t rows, std::uint64_t columns, std::size_t elementSize,
                    std::size_t rowSize) {
    std::uint64_t elementBytes = 0;
    std::uint64_t rowBytes = 0;
    std::uint64_t total = 0;
    if (__builtin_mul_overflow(rows, columns, &elementBytes) ||
        __builtin_mul_overflow(elementBytes, elementSize, &elementBytes) ||
        __builtin_mul_overflow(rows, rowSize, &rowBytes) ||
        __builtin_add_overflow(elementBytes, rowBytes, &total) || total > memoryBytes()) {
        throw std::bad_alloc();
    }
}

}  // namespace zifferon
