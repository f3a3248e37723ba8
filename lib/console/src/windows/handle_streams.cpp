#include "handle_streams.hpp"

#include <algorithm>
#include <cstring>

namespace zifferon::console::windows {

namespace {

// Kept well below what a console accepts in one write.
constexpr std::size_t largestWrite = 1 << 14;

}  // namespace

void HandleInput::dropBufferedLine() {
    while (in_avail() > 0) {
        if (sbumpc() == '\n') {
            return;
        }
    }
}

std::size_t HandleInput::readSource(char* target, std::size_t capacity) {
    DWORD count = 0;
    // A failure (a closed pipe, no standard input at all) ends the input like end of file.
    if (ReadFile(handle, target, static_cast<DWORD>(capacity), &count, nullptr) == 0) {
        return 0;
    }
    return count;
}

HandleOutput::HandleOutput(HANDLE handle, bool buffered) : handle(handle) {
    if (buffered) {
        setp(buffer.data(), buffer.data() + buffer.size());
    }
}

HandleOutput::~HandleOutput() {
    flushBuffer();
}

HandleOutput::int_type HandleOutput::overflow(int_type c) {
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

std::streamsize HandleOutput::xsputn(const char* text, std::streamsize count) {
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

int HandleOutput::sync() {
    return flushBuffer() ? 0 : -1;
}

bool HandleOutput::flushBuffer() {
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    if (pending == 0) {
        return true;
    }
    const bool written = writeAll(pbase(), pending);
    setp(pbase(), epptr());
    return written;
}

bool HandleOutput::writeAll(const char* text, std::size_t count) {
    while (count > 0) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(count, largestWrite));
        if (WriteFile(handle, text, chunk, &written, nullptr) == 0 || written == 0) {
            return false;
        }
        text += written;
        count -= written;
    }
    return true;
}

}  // namespace zifferon::console::windows
