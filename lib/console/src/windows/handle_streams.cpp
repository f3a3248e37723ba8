#include "handle_streams.hpp"

#include <algorithm>
#include <cerrno>

#include "zifferon/console/console.hpp"

namespace zifferon::console::windows {

namespace {

// Kept well below what a console accepts in one write.
constexpr std::size_t largestWrite = 1 << 14;

int errorNumberOf(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_BROKEN_PIPE:
        case ERROR_NO_DATA:
            return EPIPE;
        case ERROR_INVALID_HANDLE:
            return EBADF;
        default:
            return EIO;
    }
}

}  // namespace

std::size_t HandleInput::readSource(char* target, std::size_t capacity) {
    DWORD count = 0;
    if (ReadFile(handle, target, static_cast<DWORD>(capacity), &count, nullptr) == 0) {
        const DWORD error = GetLastError();
        // A closed pipe, or no standard input at all, ends the input like end of file.
        if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF ||
            error == ERROR_INVALID_HANDLE) {
            return 0;
        }
        throw InputFailed{errorNumberOf(error), {}};
    }
    return count;
}

int writeAll(HANDLE handle, const char* text, std::size_t count) {
    while (count > 0) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(count, largestWrite));
        if (WriteFile(handle, text, chunk, &written, nullptr) == 0 || written == 0) {
            return errorNumberOf(GetLastError());
        }
        text += written;
        count -= written;
    }
    return 0;
}

}  // namespace zifferon::console::windows
