#pragma once

#include "console/console.hpp"

namespace zifferon::console {

// The console of this process: standard input, output and error. Made on first use; from then
// on the terminal is restored (mode and colours) at exit, on SIGINT, SIGTERM, SIGHUP, SIGQUIT and
// SIGABRT. Keys are read in raw mode only while one is awaited; when standard input is not a
// terminal no mode is changed and keys are read from the stream.
Console& standardConsole();

}  // namespace zifferon::console
