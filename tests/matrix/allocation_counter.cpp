// The global operator new and delete of the program, counting allocations. A file of its own:
// inlined into the code that uses them, compilers pair new and free and warn.
#include "allocation_counter.hpp"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
std::size_t allocations = 0;
std::size_t bytes = 0;
std::size_t failingFrom = SIZE_MAX;
int stillGranted = 0;
}  // namespace

namespace zifferon::testing {

std::size_t allocationCount() {
    return allocations;
}

std::size_t allocatedBytes() {
    return bytes;
}

void failAllocationsFrom(std::size_t size, int granted) {
    failingFrom = size;
    stillGranted = granted;
}

void failNoAllocations() {
    failingFrom = SIZE_MAX;
}

}  // namespace zifferon::testing

void* operator new(std::size_t size) {
    if (size >= failingFrom && stillGranted-- <= 0) {
        throw std::bad_alloc();
    }
    ++allocations;
    bytes += size;
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
