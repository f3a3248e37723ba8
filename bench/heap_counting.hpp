#pragma once

namespace zifferon::bench {

// Lets Google Benchmark count the heap use of every case: after each timed run it runs the case
// a few iterations more between the manager's Start and Stop, and reports the allocations per
// iteration and the peak of bytes in use above the start ("allocs_per_iter", "max_bytes_used").
// The counts come from the global operator new and delete, which this program replaces; memory
// taken through malloc is not seen.
void registerHeapCounting();

}  // namespace zifferon::bench
