#pragma once

#include <string>

namespace zifferon::bench {

// solve, determinant, product, inverse and adjugate: library, bare arrays and peers.
void registerAlgebraBenchmarks();
// probelauf against its I/O floor, the calculator's redraw, full mass-test tables, memory.
void registerProgramBenchmarks();
// probelauf as a process on a typed fraction script, this build against `baseline` (the path of
// an earlier build's probelauf; empty: that case reports that it is not available).
void registerProcessBenchmarks(const std::string& baseline);

}  // namespace zifferon::bench
