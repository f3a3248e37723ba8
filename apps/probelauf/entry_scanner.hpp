#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>

#include "zifferon/matrix/element_types.hpp"

namespace zifferon::probelauf {

// The longest word of a script, an entry included. A longer one ends the run: a word of a few
// hundred megabytes would take more memory than the case it belongs to.
inline constexpr std::size_t longestWord = 4096;

// Thrown by EntryScanner for an entry longer than longestWord.
struct EntryTooLong {};

// Reads the entries of a matrix from the script one by one, exactly as the element types'
// stream extraction does: the same text accepted and refused, the same characters consumed, the
// same value bit for bit, the same fraction errors thrown. When the stream is in its plain
// state (the classic locale, the default flags, read errors thrown) the scanner reads the stream
// buffer itself and converts with std::from_chars; otherwise it leaves every read to the stream.
// After a read that failed the stream's state is left unspecified: the script ends there.
class EntryScanner {
public:
    explicit EntryScanner(std::istream& in) : in(in) {}

    // Before the entries of a matrix: looks at the stream's state.
    void begin();

    // Skips white space; false when the input holds no further entry (as `in >> std::ws`
    // followed by a peek at the end of the input).
    bool nextEntry();

    // `in >> value`; false when the extraction fails. A fraction throws Bruch's input errors, a
    // number longer than longestWord EntryTooLong.
    bool read(float& value);
    bool read(double& value);
    bool read(Complex& value);
    bool read(Bruch& value);

private:
    int peek() { return buffer->sgetc(); }
    int advance() { return buffer->snextc(); }
    bool skipSpace();
    void noteEnd();
    template <class F>
    bool readFloating(F& value);
    template <class F>
    bool convert(F& value) const;
    bool readChar(char& c);
    bool readInteger(std::int64_t& value);

    void storeAsTyped(Bruch& value, std::int64_t zaehler, std::int64_t nenner);
    void readTyped(Bruch& value, const std::string& typedText);

    // A fraction typed other than in its normal form, as Bruch's extraction stored it.
    struct TypedFraction {
        std::int64_t zaehler = 0;
        std::int64_t nenner = 0;  // 0: an empty slot
        Bruch value;
    };

    std::istream& in;
    std::streambuf* buffer = nullptr;
    bool plain = false;
    bool ended = false;  // the input's end was seen: the stream's end-of-file state
    std::string text;    // the characters of a number, as the stream's extraction collects them
    // Bruch's extraction, the only way to store a fraction unreduced, is slow: the fractions it
    // stored are kept for the next time they are typed.
    std::istringstream typed;
    std::array<TypedFraction, 256> typedFractions{};
};

}  // namespace zifferon::probelauf
