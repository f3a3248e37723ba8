#pragma once

#include <windows.h>

#include <cstdint>

namespace zifferon::console::windows {

// The console window behind standard output: colours and clearing through the console API.
// The attribute the window had at start is put back at exit and on Ctrl+C, Ctrl+Break and
// closing the window, so the programs' colours never outlive them.
class ConsoleWindow {
public:
    // Remembers the window's attribute and installs the control handler. Call once, and only
    // when standard output is a console.
    static void install(HANDLE output);

    // The handle is fetched anew each time, as standard output may have been replaced.
    static void setTextAttribute(std::uint8_t attribute);
    // Blank window in the current attribute, cursor at the top left corner.
    static void clear();
    // Back to the attribute at start, if any colour was set. Harmless to call twice.
    static void restore();
};

}  // namespace zifferon::console::windows
