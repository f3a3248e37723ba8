#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

#include "../file_sink.hpp"
#include "zifferon/console/input_buffer.hpp"

namespace zifferon::console::posix {

// Input from a file descriptor. An interactive one (a terminal) can be asked for a byte with a
// time limit; otherwise waiting for input blocks, so piped input never depends on timing. A
// descriptor in non-blocking mode is waited on, not taken for the end. A read error other than
// a hung-up terminal throws InputFailed.
class FileDescriptorInput : public InputBuffer {
public:
    FileDescriptorInput(int fd, bool interactive) : fd(fd), isInteractive(interactive) {}
    bool waitForInput(std::chrono::milliseconds timeout) override;
    bool interactive() const override { return isInteractive; }

    // Called, outside any signal handler, when a wait was interrupted because the program was
    // continued after a stop.
    void onContinued(std::function<void()> action) { continued = std::move(action); }

protected:
    std::size_t readSource(char* target, std::size_t capacity) override;

private:
    void interrupted();

    int fd;
    bool isInteractive;
    std::function<void()> continued;
};

// Writes all bytes, retrying after interruptions and waiting while a descriptor in non-blocking
// mode is full; returns 0 or the error number. A write that fails part way into a regular file
// leaves nothing of itself there.
int writeAll(int fd, const char* text, std::size_t count);

// Output to a file descriptor.
using FileDescriptorOutput = FileOutput<int, writeAll>;

}  // namespace zifferon::console::posix
