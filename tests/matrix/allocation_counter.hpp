#pragma once

#include <cstddef>

namespace zifferon::testing {

// The program that links allocation_counter.cpp replaces the global operator new and delete to
// count allocations, and to fail some on request.

// The number of allocations through the global operator new so far, and the bytes they asked for.
std::size_t allocationCount();
std::size_t allocatedBytes();

// From now on an allocation of at least `bytes` fails with std::bad_alloc, once `granted` more
// of that size have been made; until failNoAllocations().
void failAllocationsFrom(std::size_t bytes, int granted);
void failNoAllocations();

}  // namespace zifferon::testing
