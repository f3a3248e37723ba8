#pragma once

#include "zifferon/console/console.hpp"

namespace zifferon::fehlerlauf {

// Drives the equation solver into its four argument errors, in the order it checks them, and
// shows each with printError followed by a pause. Returns the exit status, 0.
int run(console::Console& console);

}  // namespace zifferon::fehlerlauf
