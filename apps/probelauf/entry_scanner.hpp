#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
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
// state (see isPlainStream; read errors thrown) the scanner reads the stream buffer itself and
// converts with std::from_chars; otherwise it leaves every read to the stream. What it reads
// and refuses, character by character, is what libstdc++'s extraction does: with another
// standard library every read is left to the stream. After a read that failed the stream's state
// is left unspecified: the script ends there.
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

    std::istream& in;
    std::streambuf* buffer = nullptr;
    bool plain = false;
    bool ended = false;  // the input's end was seen: the stream's end-of-file state
    std::string text;    // the characters of a number, as the stream's extraction collects them
};

}  // namespace zifferon::probelauf
