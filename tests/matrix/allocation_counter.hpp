#pragma once

#include <cstddef>

namespace zifferon::testing {

// The number of allocations through the global operator new so far. The program that links
// allocation_counter.cpp replaces operator new and delete to count them.
std::size_t allocationCount();

}  // namespace zifferon::testing
