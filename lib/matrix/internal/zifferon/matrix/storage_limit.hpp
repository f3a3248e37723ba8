#pragma once

#include <cstddef>
#include <cstdint>

namespace zifferon {

// The room a request for memory must leave beside itself: a share of its own size for the
// allocator's rounding and bookkeeping and the page tables, and a fixed reserve for what the
// program takes beside it (output buffers, the stack, the C++ library's own allocations, pages of
// the program itself that the kernel would otherwise have to evict).
struct MemoryMargin {
    std::uint64_t reserve;
    std::uint64_t shareDivisor;  // the share is bytes / shareDivisor
};
inline constexpr MemoryMargin memoryMargin{std::uint64_t{8} << 20, 16};  // 8 MiB + 6.25 %

// Requests below this are not checked: a probe reads several files, the batch programs size tens
// of thousands of small matrices, and a request that small does not decide whether the process
// survives.
inline constexpr std::uint64_t probeThreshold = std::uint64_t{1} << 20;

// What a request of `bytes` needs of the memory the process can still get: the bytes and the
// margin. std::bad_alloc beyond 2^64.
std::uint64_t memoryNeed(std::uint64_t bytes);

// The bytes of the elements of a rows x columns matrix; std::bad_alloc when they pass 2^64.
std::uint64_t storageBytes(std::uint64_t rows, std::uint64_t columns, std::size_t elementSize);
template <class T>
std::uint64_t storageBytes(std::uint64_t rows, std::uint64_t columns) {
    return storageBytes(rows, columns, sizeof(T));
}

// a + b; std::bad_alloc when the sum passes 2^64.
std::uint64_t addStorage(std::uint64_t a, std::uint64_t b);

// Throws std::bad_alloc when `bytes` more, with the margin, would exceed the memory this process
// can still get (see console::availableMemoryBytes). Called before anything is allocated: on
// Linux an oversized allocation is not refused but ends the process.
void requireMemory(std::uint64_t bytes);

}  // namespace zifferon
