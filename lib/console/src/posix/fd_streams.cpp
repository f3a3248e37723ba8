#include "fd_streams.hpp"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

FileDescriptorOutput::FileDescriptorOutput(int fd, bool buffered) : fd(fd) {
    if (buffered) {
        setp(buffer.data(), buffer.data() + buffer.size());
    }
}

FileDescriptorOutput::~FileDescriptorOutput() {
    flushBuffer();
}

FileDescriptorOutput::int_type FileDescriptorOutput::overflow(int_type c) {
    if (!flushBuffer()) {
        return traits_type::eof();
    }
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    if (pbase() == nullptr) {
        const char byte = traits_type::to_char_type(c);
        return writeAll(&byte, 1) ? c : traits_type::eof();
    }
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize FileDescriptorOutput::xsputn(const char* text, std::streamsize count) {
    if (count <= 0) {
        return 0;
    }
    if (count <= epptr() - pptr()) {
        std::memcpy(pptr(), text, static_cast<std::size_t>(count));
        pbump(static_cast<int>(count));
        return count;
    }
    if (!flushBuffer() || !writeAll(text, static_cast<std::size_t>(count))) {
        return 0;
    }
    return count;
}

int FileDescriptorOutput::sync() {
    return flushBuffer() ? 0 : -1;
}

bool FileDescriptorOutput::flushBuffer() {
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    if (pending == 0) {
        return true;
    }
    const bool written = writeAll(pbase(), pending);
    setp(pbase(), epptr());
    return written;
}

bool FileDescriptorOutput::writeAll(const char* text, std::size_t count) {
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
