#include "fd_streams.hpp"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace zifferon::console::posix {

bool FileDescriptorInput::waitForInput(std::chrono::milliseconds timeout) {
    if (gptr() < egptr() || !interactive) {
        return InputBuffer::waitForInput(timeout);
    }
    pollfd request{fd, POLLIN, 0};
    int ready = 0;
    do {
        ready = poll(&request, 1, static_cast<int>(timeout.count()));
    } while (ready < 0 && errno == EINTR);
    // A hang-up also counts: the read that follows then reports the end of input.
    return ready > 0 && sgetc() != traits_type::eof();
}

std::size_t FileDescriptorInput::readSource(char* target, std::size_t capacity) {
    for (;;) {
        const ssize_t count = read(fd, target, capacity);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            return 0;  // a closed terminal (EIO) ends the input like end of file
        }
    }
}

bool FileDescriptorSink::operator()(const char* text, std::size_t count) const {
    while (count > 0) {
        const ssize_t written = write(fd, text, count);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace zifferon::console::posix
