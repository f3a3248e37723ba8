#include "fd_streams.hpp"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "terminal_guard.hpp"
#include "zifferon/console/console.hpp"

namespace zifferon::console::posix {

void FileDescriptorInput::interrupted() {
    if (TerminalGuard::takeContinued() && continued) {
        continued();
    }
}

bool FileDescriptorInput::waitForInput(std::chrono::milliseconds timeout) {
    if (gptr() < egptr() || !isInteractive) {
        return InputBuffer::waitForInput(timeout);
    }
    pollfd request{fd, POLLIN, 0};
    int ready = 0;
    while ((ready = poll(&request, 1, static_cast<int>(timeout.count()))) < 0 && errno == EINTR) {
        interrupted();
    }
    // A hang-up also counts: the read that follows then reports the end of input.
    return ready > 0 && sgetc() != traits_type::eof();
}

std::size_t FileDescriptorInput::readSource(char* target, std::size_t capacity) {
    for (;;) {
        const ssize_t count = read(fd, target, capacity);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        const int error = errno;
        if (error == EINTR) {
            interrupted();
        } else if (error == EAGAIN || error == EWOULDBLOCK) {
            // Non-blocking mode, set by whoever handed us the descriptor: wait for data.
            pollfd request{fd, POLLIN, 0};
            while (poll(&request, 1, -1) < 0 && errno == EINTR) {
                interrupted();
            }
        } else if (error == EIO && isInteractive) {
            return 0;  // a closed terminal ends the input like end of file
        } else {
            throw InputFailed{error};
        }
    }
}

namespace {

// Non-blocking mode, set by whoever handed us the descriptor: a slow reader is waited for, not
// taken for a failure.
void waitUntilWritable(int fd) {
    pollfd request{fd, POLLOUT, 0};
    while (poll(&request, 1, -1) < 0 && errno == EINTR) {
    }
}

}  // namespace

int writeAll(int fd, const char* text, std::size_t count) {
    while (count > 0) {
        const ssize_t written = write(fd, text, count);
        if (written >= 0) {
            text += written;
            count -= static_cast<std::size_t>(written);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            waitUntilWritable(fd);
        } else if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

}  // namespace zifferon::console::posix
