#include "heap_counting.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace zifferon::bench {

namespace {

// Every case runs on the main thread, so plain counters do.
std::int64_t bytesInUse = 0;
std::int64_t bytesPeak = 0;
std::int64_t allocations = 0;

// Every block carries its size in front, so that an unsized delete can subtract it; the
// header keeps malloc's alignment.
constexpr std::size_t headerSize = alignof(std::max_align_t);

void* allocate(std::size_t size) noexcept {
    void* block = std::malloc(size + headerSize);
    if (block == nullptr) {
        return nullptr;
    }
    *static_cast<std::size_t*>(block) = size;
    ++allocations;
    bytesInUse += static_cast<std::int64_t>(size);
    if (bytesInUse > bytesPeak) {
        bytesPeak = bytesInUse;
    }
    return static_cast<char*>(block) + headerSize;
}

void release(void* pointer) noexcept {
    if (pointer == nullptr) {
        return;
    }
    void* block = static_cast<char*>(pointer) - headerSize;
    bytesInUse -= static_cast<std::int64_t>(*static_cast<std::size_t*>(block));
    std::free(block);
}

class HeapCounting : public benchmark::MemoryManager {
public:
    void Start() override {
        allocations = 0;
        bytesAtStart = bytesInUse;
        bytesPeak = bytesInUse;
    }
    void Stop(Result& result) override {
        result.num_allocs = allocations;
        result.max_bytes_used = bytesPeak - bytesAtStart;
        result.net_heap_growth = bytesInUse - bytesAtStart;
    }
    // Google Benchmark 1.7 calls this form.
    void Stop(Result* result) override { Stop(*result); }

private:
    std::int64_t bytesAtStart = 0;
};

}  // namespace

void registerHeapCounting() {
    static HeapCounting manager;
    benchmark::RegisterMemoryManager(&manager);
}

}  // namespace zifferon::bench

void* operator new(std::size_t size) {
    void* pointer = zifferon::bench::allocate(size);
    if (pointer == nullptr) {
        throw std::bad_alloc();
    }
    return pointer;
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return zifferon::bench::allocate(size);
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return zifferon::bench::allocate(size);
}

void operator delete(void* pointer) noexcept {
    zifferon::bench::release(pointer);
}

void operator delete(void* pointer, std::size_t) noexcept {
    zifferon::bench::release(pointer);
}

void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    zifferon::bench::release(pointer);
}

void operator delete[](void* pointer) noexcept {
    zifferon::bench::release(pointer);
}

void operator delete[](void* pointer, std::size_t) noexcept {
    zifferon::bench::release(pointer);
}

void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    zifferon::bench::release(pointer);
}
