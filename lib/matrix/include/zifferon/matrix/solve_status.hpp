#pragma once

#include <cstdint>

namespace zifferon {

// The verdict of MatrixMath<T>::solve on a system A x = b.
enum class SolveStatus : std::uint16_t {
    NoSolution = 0,         // contradictory: some equation reads 0 = c with c non-zero
    UniqueSolution = 1,     // x holds the solution
    InfiniteSolutions = 2,  // singular, but no equation contradicts
};

}  // namespace zifferon
