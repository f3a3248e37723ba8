#pragma once

#include <string>
#include <vector>

#include "figures.hpp"

namespace zifferon::bench {

// The figures of several separate process runs of this benchmark program. One process can be
// lucky or unlucky as a whole (where its code and data land, what the neighbours do), so a goal
// counts as held only when it holds in every run.
struct SeparateRuns {
    std::vector<Figures> runs;  // the runs that finished, in order
    int failedRuns = 0;         // runs that ended otherwise than with 0
};

// Starts this program `count` times one after the other with `arguments` (Google Benchmark's
// options) and an option that makes each child write its figures to a file instead of printing
// the tables; the children's own console output goes to standard output.
SeparateRuns runSeparately(int count, const std::vector<std::string>& arguments);

// The option runSeparately passes to a child: where its figures go.
inline constexpr const char* figuresOption = "--zifferon_figures_out=";

}  // namespace zifferon::bench
