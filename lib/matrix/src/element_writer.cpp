#include "zifferon/matrix/element_writer.hpp"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "zifferon/matrix/plain_stream.hpp"

namespace zifferon {

namespace {

// The stream writes a floating-point number as printf's "%.*g" in the "C" locale; a float is
// widened to double first. to_chars with a precision is defined as that very conversion.
// Precisions above this take the stream's path (and stay inside roomPerElement).
constexpr std::streamsize largestPrecision = 40;

char* writeNumber(char* first, double value, int precision) {
    return std::to_chars(first, first + 64, value, std::chars_format::general, precision).ptr;
}

char* writeInteger(char* first, std::int64_t value) {
    return std::to_chars(first, first + 24, value).ptr;
}

}  // namespace

// On every platform: the stream's own text for special values is the C library's, and only
// glibc's is the one the programs promise ("-nan" for a NaN with its sign bit set, where
// MinGW's printf writes "nan"). to_chars writes glibc's text everywhere.
bool ElementWriter::plainFormat(const std::ostream& out) {
    return isPlainStream(out) && out.width() == 0 && out.precision() >= 0 &&
           out.precision() <= largestPrecision;
}

ElementWriter::ElementWriter(std::ostream& out) : out(out), plain(plainFormat(out)) {
    if (plain) {
        precision = static_cast<int>(out.precision());
    }
}

char* ElementWriter::reserve() {
    if (buffer.size() - used < roomPerElement) {
        flush();
    }
    return buffer.data() + used;
}

void ElementWriter::put(float value) {
    if (!plain) {
        out << value;
        return;
    }
    used = static_cast<std::size_t>(writeNumber(reserve(), value, precision) - buffer.data());
}

void ElementWriter::put(double value) {
    if (!plain) {
        out << value;
        return;
    }
    used = static_cast<std::size_t>(writeNumber(reserve(), value, precision) - buffer.data());
}

// As the complex inserter: "(", real part, ",", imaginary part, ")", both in the stream's format.
void ElementWriter::put(const Complex& value) {
    if (!plain) {
        out << value;
        return;
    }
    char* next = reserve();
    *next++ = '(';
    next = writeNumber(next, value.real(), precision);
    *next++ = ',';
    next = writeNumber(next, value.imag(), precision);
    *next++ = ')';
    used = static_cast<std::size_t>(next - buffer.data());
}

// As Bruch's inserter: "0" for a zero numerator, the numerator alone over 1, else both.
void ElementWriter::put(const Bruch& value) {
    if (!plain) {
        out << value;
        return;
    }
    char* next = reserve();
    if (value.getZaehler() == 0) {
        *next++ = '0';
    } else {
        next = writeInteger(next, value.getZaehler());
        if (value.getNenner() != 1) {
            *next++ = '/';
            next = writeInteger(next, value.getNenner());
        }
    }
    used = static_cast<std::size_t>(next - buffer.data());
}

void ElementWriter::put(std::string_view text) {
    if (!plain || text.size() > roomPerElement) {
        flush();
        out << text;
        return;
    }
    char* next = reserve();
    std::memcpy(next, text.data(), text.size());
    used += text.size();
}

void ElementWriter::flush() {
    if (used > 0) {
        out.write(buffer.data(), static_cast<std::streamsize>(used));
        used = 0;
    }
}

}  // namespace zifferon
