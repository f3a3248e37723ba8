#include "heap_counter.hpp"

#include <cstdlib>
#include <new>

namespace zifferon::bench {

namespace {

std::size_t bytesInUse = 0;
std::size_t bytesPeak = 0;

// Every block carries its size in front, so that an unsized delete can subtract it; the
// header keeps malloc's alignment.
constexpr std::size_t headerSize = alignof(std::max_align_t);

void* allocate(std::size_t size) noexcept {
    void* block = std::malloc(size + headerSize);
    if (block == nullptr) {
        return nullptr;
    }
    *static_cast<std::size_t*>(block) = size;
    bytesInUse += size;
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
    bytesInUse -= *static_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

std::size_t HeapCounter::inUse() {
    return bytesInUse;
}

std::size_t HeapCounter::peak() {
    return bytesPeak;
}

void HeapCounter::resetPeak() {
    bytesPeak = bytesInUse;
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
