#pragma once

#include "zifferon/console/console.hpp"

namespace zifferon::probelauf {

// Runs the solver test cases of the script on console.in(): each case printed before and after
// its call of solve, with the verdict or the error between. Solver errors that are not a
// MatrixException go to console.err(). Returns the exit status: 0 after the last case, 1 when
// the script cannot be read on, after one message on console.err().
int run(console::Console& console);

}  // namespace zifferon::probelauf
