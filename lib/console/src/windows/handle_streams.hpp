#pragma once

#include <windows.h>

#include <cstddef>

#include "../file_sink.hpp"
#include "zifferon/console/input_buffer.hpp"

namespace zifferon::console::windows {

// Input from a file handle (a pipe, a file, or the console in line mode), byte for byte: no
// CR LF translation and no end-of-file character, so a script reads as it does elsewhere.
// Waiting for input blocks, so piped input never depends on timing.
class HandleInput : public InputBuffer {
public:
    explicit HandleInput(HANDLE handle) : handle(handle) {}

protected:
    std::size_t readSource(char* target, std::size_t capacity) override;

private:
    HANDLE handle;
};

// Writes all of the given bytes to a file handle, byte for byte; returns 0, or the error number
// that comes nearest to the system's reason when it could not.
int writeAll(HANDLE handle, const char* text, std::size_t count);

// Output to a file handle.
using HandleOutput = FileOutput<HANDLE, writeAll>;

}  // namespace zifferon::console::windows
