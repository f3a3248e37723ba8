#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <streambuf>

#include "console/input_buffer.hpp"

namespace zifferon::console::posix {

// Input from a file descriptor. An interactive one (a terminal) can be asked for a byte with a
// time limit; otherwise waiting for input blocks, so piped input never depends on timing.
class FileDescriptorInput : public InputBuffer {
public:
    FileDescriptorInput(int fd, bool interactive) : fd(fd), interactive(interactive) {}
    bool waitForInput(std::chrono::milliseconds timeout) override;

protected:
    std::size_t readSource(char* target, std::size_t capacity) override;

private:
    int fd;
    bool interactive;
};

// Output to a file descriptor, written in one piece when flushed (buffered) or at once
// (unbuffered).
class FileDescriptorOutput : public std::streambuf {
public:
    FileDescriptorOutput(int fd, bool buffered);
    ~FileDescriptorOutput() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool writeAll(const char* text, std::size_t count);
    bool flushBuffer();

    int fd;
    std::array<char, 1 << 16> buffer{};
};

}  // namespace zifferon::console::posix
