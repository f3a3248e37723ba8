#pragma once

#include <chrono>
#include <cstdint>
#include <istream>
#include <ostream>

#include "zifferon/console/console.hpp"
#include "zifferon/console/input_buffer.hpp"

namespace zifferon::console {

// What the output can show. A platform backend decides it from the output file and the
// environment; a stream in tests says it directly.
struct OutputTraits {
    bool terminal = false;  // a terminal: control bytes from the input are shown visibly
    bool escapes = false;   // a cleared screen is an escape sequence, not a form feed
    bool colours = false;   // colours are written as escape sequences

    // A full terminal, or a plain file or pipe.
    static constexpr OutputTraits of(bool outputIsTerminal) {
        return {outputIsTerminal, outputIsTerminal, outputIsTerminal};
    }
};

// A console over streams: the whole behaviour of the terminal layer apart from the terminal
// modes, which a platform backend adds through beginKeyWait and endKeyWait.
//
// Colours are written as ANSI sequences into out() when the traits allow it; where escape
// sequences are allowed but colours are not, the highlight attribute is inverse video and the
// others are normal text. A clear screen is an escape sequence or else a form feed, so a
// transcript shows where each screen starts. Every wait for a key first commits the output (see
// commitOutput), and a read error of the input passes through every read as InputFailed.
class StreamConsole : public Console {
public:
    StreamConsole(InputBuffer& input, std::ostream& out, std::ostream& err, OutputTraits traits);
    StreamConsole(InputBuffer& input, std::ostream& out, std::ostream& err, bool outputIsTerminal)
        : StreamConsole(input, out, err, OutputTraits::of(outputIsTerminal)) {}

    std::istream& in() override { return inStream; }
    std::ostream& out() override { return outStream; }
    std::ostream& err() override { return errStream; }

    void setTextAttribute(std::uint8_t attribute) override;
    void clearScreen() override;
    int readKey() override;
    void pause() override;
    bool outputIsTerminal() const override { return traits.terminal; }
    bool showsColours() const override { return traits.colours; }

    // Whether any colour (or inverse video) has been written, so that the terminal's own
    // colours need restoring.
    bool coloursWritten() const { return wroteColours; }

protected:
    // How long the rest of an escape sequence may take to arrive before a lone Escape counts.
    static constexpr std::chrono::milliseconds escapeTimeout{100};

    virtual void beginKeyWait() {}
    virtual void endKeyWait() {}
    // Called with the output flushed, just before the escape sequence that clears the screen.
    virtual void newScreen() {}

    // How much of a partly read line a key wait drops (see dropRestOfLine).
    enum class LineRest {
        upToLineEnd,   // waiting for the line end if need be
        bufferedOnly,  // never waiting: for input that arrives in whole lines
    };
    // A value read leaves the rest of its line in the input. That line end must not count as a
    // key press, so when anything was read since the last key and it did not end a line, the
    // rest of the line goes.
    void dropRestOfLine(LineRest extent);
    // Everything read so far belongs to the key just read.
    void noteKeyRead() { consumedAfterLastKey = input.consumed(); }

private:
    int decodeNextKey();

    InputBuffer& input;
    std::istream inStream;
    std::ostream& outStream;
    std::ostream& errStream;
    OutputTraits traits;
    bool wroteColours = false;
    bool inverse = false;         // inverse video is on
    int pendingKey = endOfInput;  // the second code of an arrow key
    std::uint64_t consumedAfterLastKey = 0;
};

}  // namespace zifferon::console
