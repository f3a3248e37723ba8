#pragma once

#include <cstddef>

namespace zifferon::bench {

// Heap bytes requested through operator new and not yet returned, and their peak. The benchmark
// program replaces the global operator new and delete to count them; allocations of other
// threads or other allocators (malloc) are not seen.
struct HeapCounter {
    static std::size_t inUse();
    static std::size_t peak();
    // From now on the peak counts from the bytes in use.
    static void resetPeak();
};

}  // namespace zifferon::bench
