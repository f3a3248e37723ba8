#include "console_window.hpp"

#include <atomic>

namespace zifferon::console::windows {

namespace {

WORD savedAttribute = 0;
bool haveSavedAttribute = false;
// Set from the main thread, read by the control handler, which runs on a thread of its own.
std::atomic<bool> coloursSet{false};

BOOL WINAPI restoreOnControl(DWORD /*event*/) {
    ConsoleWindow::restore();
    return FALSE;  // the default handler then ends the process
}

}  // namespace

void ConsoleWindow::install(HANDLE output) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    haveSavedAttribute = GetConsoleScreenBufferInfo(output, &info) != 0;
    savedAttribute = info.wAttributes;
    SetConsoleCtrlHandler(restoreOnControl, TRUE);
}

void ConsoleWindow::setTextAttribute(std::uint8_t attribute) {
    SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), attribute);
    coloursSet = true;
}

void ConsoleWindow::clear() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(output, &info) == 0) {
        return;
    }
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    const COORD origin{0, 0};
    DWORD written = 0;
    FillConsoleOutputAttribute(output, info.wAttributes, cells, origin, &written);
    FillConsoleOutputCharacterA(output, ' ', cells, origin, &written);
    SetConsoleCursorPosition(output, origin);
}

void ConsoleWindow::restore() {
    if (haveSavedAttribute && coloursSet.exchange(false)) {
        SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), savedAttribute);
    }
}

}  // namespace zifferon::console::windows
