#pragma once

#include <istream>
#include <limits>
#include <type_traits>

#include "zifferon/console/console.hpp"
#include "zifferon/matrix/element_types.hpp"

namespace zifferon {

inline constexpr const char* wholeNumberInputError = "Eingabefehler (ganze Zahl)";
inline constexpr const char* decimalInputError = "Eingabefehler (Dezimalzahl)";
inline constexpr const char* complexInputError = "Eingabefehler (komplexe Zahl)";

// The text that reports an element of type T that could not be read. Fractions report their
// own input errors.
template <class T>
constexpr const char* elementInputError() {
    return std::is_same_v<T, Complex> ? complexInputError : decimalInputError;
}

// After a failed read: clears the stream's error state and drops the rest of the line, so the
// next prompt starts afresh; when the input has ended, there is nothing to recover.
inline void recoverInputLine(std::istream& in) {
    const bool ended = in.eof();
    in.clear();
    if (ended) {
        throw console::EndOfInput{};
    }
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

// Reads one value typed at a prompt. Text that is not such a value throws `errorText` (a fraction
// its own input error) and leaves the target as it was, except that a fraction keeps a numerator
// read before its error. Throws console::EndOfInput when the input has ended.
template <class Value>
void readTypedValue(std::istream& in, Value& target, const char* errorText) {
    if constexpr (std::is_same_v<Value, Bruch>) {
        try {
            in >> target;
        } catch (const char*) {
            recoverInputLine(in);
            throw;
        }
    } else {
        Value value{};
        if (in >> value) {
            target = value;
        }
    }
    if (in.fail()) {
        recoverInputLine(in);
        throw errorText;
    }
}

}  // namespace zifferon
