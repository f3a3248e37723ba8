#pragma once

#include <string>

#include "zifferon/console/console.hpp"

namespace zifferon::console {

// The console of this process: standard input, output and error. Made on first use; from then
// on the terminal is restored (mode and colours) at exit, on SIGINT, SIGTERM, SIGHUP, SIGQUIT and
// SIGABRT, and on Ctrl-Z (SIGTSTP) before the program stops; when it is continued, raw mode
// comes back if a key is awaited and the screen is drawn again. Keys are read in raw mode only
// while one is awaited; when standard input is not a terminal no mode is changed and keys are
// read from the stream. Colours need a terminal whose TERM is set and not "dumb", and no
// NO_COLOR in the environment; clearing the screen needs the same terminal.
Console& standardConsole();

// Makes the file standard input, as "< path" in a shell does; call before standardConsole().
// Throws InputFailed naming the file when it cannot be opened for reading or is a directory.
void useFileAsStandardInput(const std::string& path);

}  // namespace zifferon::console
