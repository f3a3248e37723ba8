#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "zifferon/console/status_line.hpp"

namespace zifferon::console {

// Key codes as the menus see them: those of the Windows console. An arrow key arrives as two
// codes, keyArrowPrefix and then keyUp or keyDown.
inline constexpr int keyEnter = 13;
inline constexpr int keyEscape = 27;
inline constexpr int keyArrowPrefix = 224;
inline constexpr int keyUp = 72;    // also a typed 'H'
inline constexpr int keyDown = 80;  // also a typed 'P'
inline constexpr int endOfInput = -1;

// Text attributes, Windows values: low nibble foreground, high nibble background;
// bit 0 blue, bit 1 green, bit 2 red, bit 3 bright.
inline constexpr std::uint8_t attributeNormal = 0x07;     // light grey on black (see sgrSequence)
inline constexpr std::uint8_t attributeHighlight = 0x70;  // black on light grey
inline constexpr std::uint8_t attributeError = 0x0C;      // bright red on black
inline constexpr std::uint8_t attributeAlarm = 0xC0;      // black on bright red

inline constexpr const char* pausePrompt = "Druecken Sie eine beliebige Taste . . . ";

// Thrown where a program waits for input that can no longer come (a closed terminal, the end of
// a piped script); the programs end in an orderly way when they catch it.
struct EndOfInput {};

// Thrown when text written to the output did not arrive (a full disk, a closed descriptor, a pipe
// whose reader has gone); `error` is the system's error number, or 0 when it is not known.
struct OutputLost {
    int error = 0;
};

// Thrown when the input cannot be read for a reason other than its end (standard input a
// directory, say); `error` is the system's error number, `source` the file named on the command
// line, if the input is one.
struct InputFailed {
    int error = 0;
    std::string source;
};

// The terminal as the programs and the library see it: text streams, colours, clearing the
// screen, waiting for a key. Every platform call lives behind this interface.
class Console {
public:
    virtual ~Console() = default;

    // Line input; a value read leaves the rest of its line for the next read.
    virtual std::istream& in() = 0;
    virtual std::ostream& out() = 0;
    virtual std::ostream& err() = 0;

    // Applies to all text written afterwards, on out() and err(), until the next change.
    virtual void setTextAttribute(std::uint8_t attribute) = 0;
    // Blank screen, output continues at the top left corner.
    virtual void clearScreen() = 0;
    // One key code (see above), or endOfInput. Waits without spinning.
    virtual int readKey() = 0;
    // Writes pausePrompt, waits for one whole key, writes a line break.
    virtual void pause() = 0;

    // Whether out() reaches a terminal, where control bytes from the input must not reach the
    // screen as they are.
    virtual bool outputIsTerminal() const { return false; }
    // Whether text attributes show as colours. Where they do not, a highlight needs a mark of
    // its own.
    virtual bool showsColours() const { return false; }
    // A status line on err() (see status_line.hpp) when err() reaches a terminal, else null.
    virtual std::unique_ptr<StatusLine> openStatusLine() { return nullptr; }
};

}  // namespace zifferon::console
