#pragma once

#include "zifferon/console/console.hpp"

namespace zifferon::rechenpult {

// The whole calculator: the type selection, then one type cycle of the chosen element type,
// and again, until the user ends the program or the input ends. Returns the exit status, 0.
int run(console::Console& console);

}  // namespace zifferon::rechenpult
