#pragma once

#include <array>
#include <cstddef>
#include <ostream>
#include <string_view>

#include "zifferon/matrix/element_types.hpp"

namespace zifferon {

// Writes elements and separators to a stream as `out << element` and `out << text` do with
// glibc. When the stream is in its plain format (the classic locale, the default flags, no
// field width, a moderate precision) the numbers are formatted with std::to_chars into a buffer
// of the writer's own, which reaches the stream in large pieces, and come out the same on every
// platform; any other format is left to the stream. Call flush() when done, and before
// anything else is written to the stream.
class ElementWriter {
public:
    explicit ElementWriter(std::ostream& out);
    ElementWriter(const ElementWriter&) = delete;
    ElementWriter& operator=(const ElementWriter&) = delete;
    ~ElementWriter() = default;

    void put(float value);
    void put(double value);
    void put(const Complex& value);
    void put(const Bruch& value);
    void put(std::string_view text);
    void put(char c) { put(std::string_view(&c, 1)); }

    // Hands the buffered text to the stream.
    void flush();

private:
    // Whether numbers written to `out` come out as the writer formats them itself.
    static bool plainFormat(const std::ostream& out);

    // Room for the longest element text at the largest precision handled here.
    static constexpr std::size_t roomPerElement = 160;

    char* reserve();

    std::ostream& out;
    bool plain;
    int precision = 0;
    std::size_t used = 0;
    std::array<char, 8192> buffer;  // only what was written is read: no zeroing
};

// One value written as the matrices' elements are, for values the programs show on their own.
template <class T>
void writeElement(std::ostream& out, const T& value) {
    ElementWriter writer(out);
    writer.put(value);
    writer.flush();
}

}  // namespace zifferon
