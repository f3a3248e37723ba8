#pragma once

#include <chrono>
#include <cstddef>

#include "../output_buffer.hpp"
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

// Writes all of the given bytes to a file descriptor, or says that it could not.
struct FileDescriptorSink {
    int fd;
    bool operator()(const char* text, std::size_t count) const;
};

// Output to a file descriptor (see OutputBuffer).
using FileDescriptorOutput = OutputBuffer<FileDescriptorSink>;

}  // namespace zifferon::console::posix
