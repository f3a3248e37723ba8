#include "handle_streams.hpp"

#include <algorithm>

namespace zifferon::console::windows {

namespace {

// Kept well below what a console accepts in one write.
constexpr std::size_t largestWrite = 1 << 14;

}  // namespace

void HandleInput::dropBufferedLine() {
    while (in_avail() > 0) {
        if (sbumpc() == '\n') {
            return;
        }
    }
}

std::size_t HandleInput::readSource(char* target, std::size_t capacity) {
    DWORD count = 0;
    // A failure (a closed pipe, no standard input at all) ends the input like end of file.
    if (ReadFile(handle, target, static_cast<DWORD>(capacity), &count, nullptr) == 0) {
        return 0;
    }
    return count;
}

bool HandleSink::operator()(const char* text, std::size_t count) const {
    while (count > 0) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(count, largestWrite));
        if (WriteFile(handle, text, chunk, &written, nullptr) == 0 || written == 0) {
            return false;
        }
        text += written;
        count -= written;
    }
    return true;
}

}  // namespace zifferon::console::windows
