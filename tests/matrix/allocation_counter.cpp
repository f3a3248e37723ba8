// The global operator new and delete of the program, counting allocations. A file of its own:
// inlined into the code that uses them, compilers pair new and free and warn.
#include "allocation_counter.hpp"

#include <cstdlib>
#include <new>

namespace {
std::size_t allocations = 0;
}  // namespace

namespace zifferon::testing {

std::size_t allocationCount() {
    return allocations;
}

}  // namespace zifferon::testing

void* operator new(std::size_t size) {
    ++allocations;
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
