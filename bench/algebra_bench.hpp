#pragma once

namespace zifferon::bench {

// solve, determinant, product, inverse and adjugate: library, bare arrays and peers.
void registerAlgebraBenchmarks();
// probelauf against its I/O floor, the calculator's redraw, full mass-test tables, memory.
void registerProgramBenchmarks();

}  // namespace zifferon::bench
