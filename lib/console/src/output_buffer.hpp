#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <streambuf>

namespace zifferon::console {

// An output stream buffer that remembers why its last write failed, so that the program can
// name the cause (see commitOutput).
class RecordsWriteFailure : public std::streambuf {
public:
    // The system's error number of the first write that failed, or 0.
    int writeFailure() const { return failure; }

protected:
    // Returns whether the write succeeded.
    bool note(int error) {
        if (error != 0 && failure == 0) {
            failure = error;
        }
        return error == 0;
    }

private:
    int failure = 0;
};

// Output to one of the platform's files, written in one piece when flushed (buffered) or at
// once (unbuffered). Only how bytes reach the file differs between platforms: `Sink` writes
// all of the bytes it is given and returns 0, or the system's error number when it could not.
template <class Sink>
class OutputBuffer : public RecordsWriteFailure {
public:
    OutputBuffer(Sink sink, bool buffered) : sink(sink) {
        if (buffered) {
            setp(buffer.data(), buffer.data() + buffer.size());
        }
    }
    ~OutputBuffer() override { flushBuffer(); }
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

protected:
    int_type overflow(int_type c) override {
        if (!flushBuffer()) {
            return traits_type::eof();
        }
        if (traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::not_eof(c);
        }
        if (pbase() == nullptr) {
            const char byte = traits_type::to_char_type(c);
            return note(sink(&byte, 1)) ? c : traits_type::eof();
        }
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override {
        if (count <= 0) {
            return 0;
        }
        if (count <= epptr() - pptr()) {
            std::memcpy(pptr(), text, static_cast<std::size_t>(count));
            pbump(static_cast<int>(count));
            return count;
        }
        if (!flushBuffer() || !note(sink(text, static_cast<std::size_t>(count)))) {
            return 0;
        }
        return count;
    }

    int sync() override { return flushBuffer() ? 0 : -1; }

private:
    bool flushBuffer() {
        const auto pending = static_cast<std::size_t>(pptr() - pbase());
        if (pending == 0) {
            return true;
        }
        const int error = sink(pbase(), pending);
        setp(pbase(), epptr());
        return note(error);
    }

    Sink sink;
    std::array<char, 1 << 16> buffer{};
};

}  // namespace zifferon::console
