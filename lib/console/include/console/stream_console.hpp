#pragma once

#include <chrono>
#include <cstdint>
#include <istream>
#include <ostream>

#include "console/console.hpp"
#include "console/input_buffer.hpp"

namespace zifferon::console {

// A console over streams: the whole behaviour of the terminal layer apart from the terminal
// modes, which a platform backend adds through beginKeyWait and endKeyWait.
//
// When `outputIsTerminal` is true, colours are written as ANSI sequences into out() and a clear
// screen is an escape sequence; otherwise no colour is written and a clear screen is a form
// feed, so a transcript shows where each screen starts.
class StreamConsole : public Console {
public:
    StreamConsole(InputBuffer& input, std::ostream& out, std::ostream& err, bool outputIsTerminal);

    std::istream& in() override { return inStream; }
    std::ostream& out() override { return outStream; }
    std::ostream& err() override { return errStream; }

    void setTextAttribute(std::uint8_t attribute) override;
    void clearScreen() override;
    int readKey() override;
    void pause() override;

    // Whether any colour has been written, so that the terminal's own colours need restoring.
    bool coloursWritten() const { return wroteColours; }

protected:
    // How long the rest of an escape sequence may take to arrive before a lone Escape counts.
    static constexpr std::chrono::milliseconds escapeTimeout{100};

    virtual void beginKeyWait() {}
    virtual void endKeyWait() {}

private:
    void dropRestOfLine();
    int decodeNextKey();

    InputBuffer& input;
    std::istream inStream;
    std::ostream& outStream;
    std::ostream& errStream;
    bool outputIsTerminal;
    bool wroteColours = false;
    int pendingKey = endOfInput;  // the second code of an arrow key
    std::uint64_t consumedAfterLastKey = 0;
};

}  // namespace zifferon::console
