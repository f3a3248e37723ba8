#pragma once

#include <windows.h>

namespace zifferon::console::windows {

// One key code from the console keyboard, as the runtime's _getch delivers it: one byte per
// call, an arrow key as the prefix 0 or 224 and then its code. Sleeps on the console input
// handle until a key is there instead of polling.
int readConsoleKey(HANDLE input);

}  // namespace zifferon::console::windows
