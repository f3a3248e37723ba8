#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <streambuf>

#include "console/input_buffer.hpp"

namespace zifferon::console::windows {

// Input from a file handle (a pipe, a file, or the console in line mode), byte for byte: no
// CR LF translation and no end-of-file character, so a script reads as it does elsewhere.
// Waiting for input blocks, so piped input never depends on timing.
class HandleInput : public InputBuffer {
public:
    explicit HandleInput(HANDLE handle) : handle(handle) {}

    // Drops the rest of the current line as far as it is already buffered; never waits.
    void dropBufferedLine();

protected:
    std::size_t readSource(char* target, std::size_t capacity) override;

private:
    HANDLE handle;
};

// Output to a file handle, byte for byte, written in one piece when flushed (buffered) or at
// once (unbuffered).
class HandleOutput : public std::streambuf {
public:
    HandleOutput(HANDLE handle, bool buffered);
    ~HandleOutput() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool writeAll(const char* text, std::size_t count);
    bool flushBuffer();

    HANDLE handle;
    std::array<char, 1 << 16> buffer{};
};

}  // namespace zifferon::console::windows
