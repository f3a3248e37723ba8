#pragma once

#include <cstddef>
#include <cstdint>

namespace zifferon {

// The bytes of the elements of a rows x columns matrix; std::bad_alloc when they pass 2^64.
std::uint64_t storageBytes(std::uint64_t rows, std::uint64_t columns, std::size_t elementSize);
template <class T>
std::uint64_t storageBytes(std::uint64_t rows, std::uint64_t columns) {
    return storageBytes(rows, columns, sizeof(T));
}

// a + b; std::bad_alloc when the sum passes 2^64.
std::uint64_t addStorage(std::uint64_t a, std::uint64_t b);

// Throws std::bad_alloc when `bytes` more would exceed the memory this process can still get
// (see console::availableMemoryBytes). Called before anything is allocated: on Linux an
// oversized allocation is not refused but ends the process.
void requireMemory(std::uint64_t bytes);

}  // namespace zifferon
