#include "entry_scanner.hpp"

#include <charconv>
#include <limits>
#include <locale>
#include <sstream>
#include <system_error>

#include "zifferon/matrix/plain_stream.hpp"

namespace zifferon::probelauf {

namespace {

constexpr int endOfInput = std::char_traits<char>::eof();

// White space as the classic locale's ctype knows it.
bool isSpace(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

}  // namespace

void EntryScanner::begin() {
    buffer = in.rdbuf();
#if defined(__GLIBCXX__)
    plain = buffer != nullptr && in.good() && isPlainStream(in) &&
            (in.exceptions() & std::ios_base::badbit) != 0;
#else
    plain = false;
#endif
    ended = false;
    if (plain && in.tie() != nullptr) {
        // What the stream would show before each read; nothing is written while entries are read.
        in.tie()->flush();
    }
}

void EntryScanner::noteEnd() {
    ended = true;
    in.setstate(std::ios_base::eofbit);
}

// The skipping of an extraction: false, with the end noted, when the input ends first.
bool EntryScanner::skipSpace() {
    if (ended) {
        return false;
    }
    int c = peek();
    while (isSpace(c)) {
        c = advance();
    }
    if (c == endOfInput) {
        noteEnd();
        return false;
    }
    return true;
}

bool EntryScanner::nextEntry() {
    if (!plain) {
        in >> std::ws;
        return in.peek() != std::istream::traits_type::eof();
    }
    return skipSpace();
}

// The characters the stream's floating-point extraction takes: an optional sign, digits with
// at most one decimal point, and after at least one digit an "e" or "E" with an optional sign
// and digits. The collected text is then converted as a whole, or refused.
template <class F>
bool EntryScanner::readFloating(F& value) {
    if (!skipSpace()) {
        return false;
    }
    text.clear();
    int c = peek();
    if (c == '+' || c == '-') {
        text += static_cast<char>(c);
        c = advance();
    }
    bool mantissa = false;
    bool point = false;
    bool exponent = false;
    while (c != endOfInput) {
        if (isDigit(c)) {
            text += static_cast<char>(c);
            mantissa = true;
        } else if (c == '.' && !point && !exponent) {
            text += '.';
            point = true;
        } else if ((c == 'e' || c == 'E') && !exponent && mantissa) {
            text += 'e';
            exponent = true;
            c = advance();
            if (c == '+' || c == '-') {
                text += static_cast<char>(c);
            } else {
                continue;
            }
        } else {
            break;
        }
        if (text.size() > longestWord) {
            throw EntryTooLong{};
        }
        c = advance();
    }
    if (c == endOfInput) {
        noteEnd();
    }
    return convert(value);
}

// As the stream converts the collected text (strtod in the "C" locale, the whole text or
// nothing): from_chars gives the same correctly rounded value. A value beyond the type's range
// is left to the stream's own conversion, which refuses an overflow and keeps an underflow.
template <class F>
bool EntryScanner::convert(F& value) const {
    const char* first = text.data();
    const char* const last = first + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (end != last) {
        return false;
    }
    if (error == std::errc()) {
        return true;
    }
    std::istringstream exact(text);
    exact.imbue(std::locale::classic());
    exact >> value;
    return !exact.fail();
}

// `in >> c` for a char: the next character after white space.
bool EntryScanner::readChar(char& c) {
    if (!skipSpace()) {
        return false;
    }
    // Taken without a look at the next one, so the end is not seen yet.
    c = static_cast<char>(buffer->sbumpc());
    return true;
}

// The stream's decimal extraction of a signed 64-bit integer: an optional sign, leading zeros,
// digits; a value out of range is refused.
bool EntryScanner::readInteger(std::int64_t& value) {
    if (!skipSpace()) {
        return false;
    }
    int c = peek();
    const bool negative = c == '-';
    if (c == '+' || c == '-') {
        c = advance();
    }
    bool zero = false;
    while (c == '0') {
        zero = true;
        c = advance();
    }
    const std::uint64_t largest =
        negative ? std::uint64_t{1} << 63 : std::uint64_t{std::numeric_limits<std::int64_t>::max()};
    std::uint64_t result = 0;
    bool digits = false;
    bool overflow = false;
    while (isDigit(c)) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (result > largest / 10) {
            overflow = true;
        } else {
            result *= 10;
            overflow |= result > largest - digit;
            result += digit;
        }
        digits = true;
        c = advance();
    }
    if (c == endOfInput) {
        noteEnd();
    }
    if ((!digits && !zero) || overflow) {
        return false;
    }
    value = static_cast<std::int64_t>(negative ? 0 - result : result);
    return true;
}

bool EntryScanner::read(float& value) {
    if (!plain) {
        return !(in >> value).fail();
    }
    return readFloating(value);
}

bool EntryScanner::read(double& value) {
    if (!plain) {
        return !(in >> value).fail();
    }
    return readFloating(value);
}

// The complex extraction: "(re,im)", "(re)" or a plain number, white space allowed before each
// part.
bool EntryScanner::read(Complex& value) {
    if (!plain) {
        return !(in >> value).fail();
    }
    if (!skipSpace()) {
        return false;
    }
    double real = 0;
    if (peek() != '(') {
        if (!readFloating(real)) {
            return false;
        }
        value = real;
        return true;
    }
    advance();
    char c = 0;
    if (!readFloating(real) || !readChar(c)) {
        return false;
    }
    if (c == ')') {
        value = real;
        return true;
    }
    double imaginary = 0;
    if (c != ',' || !readFloating(imaginary) || !readChar(c) || c != ')') {
        return false;
    }
    value = Complex(real, imaginary);
    return true;
}

// Bruch's extraction: numerator, "/" after optional white space, denominator, stored as typed.
bool EntryScanner::read(Bruch& value) {
    if (!plain) {
        return !(in >> value).fail();
    }
    std::int64_t zaehler = 0;
    char slash = 0;
    std::int64_t nenner = 0;
    if (!readInteger(zaehler) || !readChar(slash) || slash != '/' || !readInteger(nenner)) {
        throw Bruch::eingabeFehler;
    }
    if (nenner == 0) {
        throw Bruch::eingabeNennerFehler;
    }
    value.ungekuerztSetzen(zaehler, nenner);
    return true;
}

}  // namespace zifferon::probelauf
