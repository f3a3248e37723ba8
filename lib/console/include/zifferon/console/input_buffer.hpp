#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>

namespace zifferon::console {

// Buffered input that knows how much of it has been consumed and what the last consumed byte
// was, so that a key wait can drop the rest of a partly read line. A few consumed bytes stay
// in the buffer, so a byte just read can always be put back. The end of input is final.
class InputBuffer : public std::streambuf {
public:
    // Bytes taken from the stream so far.
    std::uint64_t consumed() const { return filled - static_cast<std::uint64_t>(egptr() - gptr()); }
    // The last byte taken, or -1 before the first.
    int lastConsumed() const;
    // Whether a byte can be read without waiting longer than `timeout`; false at the end of
    // input. Blocks until a byte or the end arrives unless the source is interactive.
    virtual bool waitForInput(std::chrono::milliseconds timeout);
    // Whether the input is typed as it is read (a terminal), rather than read from a file or
    // pipe.
    virtual bool interactive() const { return false; }
    // Output flushed whenever the buffer is about to take more input, so that whatever the
    // program wrote before is shown before it waits; nullptr for none.
    void flushBeforeReading(std::ostream* output) { shownFirst = output; }

protected:
    // Reads up to `capacity` bytes; 0 means the end of input.
    virtual std::size_t readSource(char* buffer, std::size_t capacity) = 0;
    int_type underflow() override;

private:
    static constexpr std::size_t putbackSize = 16;
    static constexpr std::size_t capacity = 4096;
    std::array<char, putbackSize + capacity> buffer{};
    std::uint64_t filled = 0;
    bool ended = false;
    std::ostream* shownFirst = nullptr;
};

// Input from a fixed text: scripted sessions in tests and fuzzing.
class StringInput : public InputBuffer {
public:
    explicit StringInput(std::string text) : text(std::move(text)) {}

protected:
    std::size_t readSource(char* target, std::size_t capacity) override;

private:
    std::string text;
    std::size_t position = 0;
};

}  // namespace zifferon::console
