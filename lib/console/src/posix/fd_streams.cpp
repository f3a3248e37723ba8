#include "fd_streams.hpp"

#include <poll.h>
#include <sys/stat.h>
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
            throw InputFailed{error, {}};
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

// Takes back the last `count` bytes written to a regular file, so that a file that is full (a
// full disk, a file size limit) ends with the last write that arrived whole: a table with its
// last complete row, not half a row. The offset goes back too, or a later write through a
// shared descriptor (standard error redirected to the same file) would leave a hole.
void takeBack(int fd, std::size_t count) {
    struct stat file {};
    if (count == 0 || fstat(fd, &file) != 0 || !S_ISREG(file.st_mode)) {
        return;
    }
    const off_t end = lseek(fd, 0, SEEK_CUR);
    if (end >= static_cast<off_t>(count) && ftruncate(fd, end - static_cast<off_t>(count)) == 0) {
        lseek(fd, end - static_cast<off_t>(count), SEEK_SET);
    }
}

}  // namespace

int writeAll(int fd, const char* text, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t written = write(fd, text + done, count - done);
        if (written >= 0) {
            done += static_cast<std::size_t>(written);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            waitUntilWritable(fd);
        } else if (errno != EINTR) {
            const int error = errno;
            takeBack(fd, done);
            return error;
        }
    }
    return 0;
}

}  // namespace zifferon::console::posix
