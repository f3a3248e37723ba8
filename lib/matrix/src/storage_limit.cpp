#include "zifferon/matrix/storage_limit.hpp"

#include <new>

#include "zifferon/console/system.hpp"
#include "zifferon/matrix/working_storage.hpp"

namespace zifferon {

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

std::uint64_t memoryNeed(std::uint64_t bytes) {
    return addStorage(addStorage(bytes, bytes / memoryMargin.shareDivisor), memoryMargin.reserve);
}

void requireMemory(std::uint64_t bytes) {
    if (bytes >= probeThreshold && memoryNeed(bytes) > console::availableMemoryBytes()) {
        throw std::bad_alloc();
    }
}

std::uint64_t blockBytes(std::initializer_list<StorageBlock> blocks, std::size_t elementSize) {
    std::uint64_t bytes = 0;
    for (const StorageBlock& block : blocks) {
        bytes = addStorage(bytes, storageBytes(block.rows, block.columns, elementSize));
    }
    return bytes;
}

}  // namespace zifferon
