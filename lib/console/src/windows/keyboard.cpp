#include "keyboard.hpp"

#include <conio.h>

#include <array>

namespace zifferon::console::windows {

namespace {

// Takes the console events in front of the first key press off the queue: mouse moves, focus
// and size changes and key releases signal the input handle too, and left there they would
// wake the wait below at once, again and again. Returns whether anything was taken.
bool dropEventsBeforeKeyPress(HANDLE input) {
    std::array<INPUT_RECORD, 64> events{};
    DWORD count = 0;
    if (PeekConsoleInputW(input, events.data(), static_cast<DWORD>(events.size()), &count) == 0) {
        return false;
    }
    DWORD idle = 0;
    while (idle < count &&
           !(events[idle].EventType == KEY_EVENT && events[idle].Event.KeyEvent.bKeyDown != 0)) {
        ++idle;
    }
    if (idle == 0) {
        return false;
    }
    DWORD taken = 0;
    return ReadConsoleInputW(input, events.data(), idle, &taken) != 0 && taken > 0;
}

}  // namespace

int readConsoleKey(HANDLE input) {
    while (_kbhit() == 0) {
        if (WaitForSingleObject(input, INFINITE) != WAIT_OBJECT_0) {
            break;
        }
        // A key press in front that _kbhit does not announce (Shift alone, or any key for a
        // runtime that overlooks the newest event) is left to _getch, which returns it or skips
        // it and waits for the next key inside the console's own blocking read.
        if (_kbhit() == 0 && !dropEventsBeforeKeyPress(input)) {
            break;
        }
    }
    return _getch();
}

}  // namespace zifferon::console::windows
