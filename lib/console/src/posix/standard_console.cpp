#include "console/standard_console.hpp"

#include <unistd.h>

#include <ostream>

#include "console/stream_console.hpp"
#include "fd_streams.hpp"
#include "terminal_guard.hpp"

namespace zifferon::console {

namespace {

// The streams come first, as a base, so they exist before the console that uses them.
struct StandardStreams {
    StandardStreams()
        : inputIsTerminal(isatty(STDIN_FILENO) == 1),
          outputIsTerminal(isatty(STDOUT_FILENO) == 1),
          input(STDIN_FILENO, inputIsTerminal),
          outputBuffer({STDOUT_FILENO}, true),
          errorBuffer({STDERR_FILENO}, false),
          output(&outputBuffer),
          error(&errorBuffer) {}

    bool inputIsTerminal;
    bool outputIsTerminal;
    posix::FileDescriptorInput input;
    posix::FileDescriptorOutput outputBuffer;
    posix::FileDescriptorOutput errorBuffer;
    std::ostream output;
    std::ostream error;
};

class PosixConsole final : private StandardStreams, public StreamConsole {
public:
    PosixConsole()
        : StreamConsole(StandardStreams::input, output, error, StandardStreams::outputIsTerminal) {
        posix::TerminalGuard::install(inputIsTerminal, StandardStreams::outputIsTerminal);
    }

    ~PosixConsole() override {
        output.flush();
        posix::TerminalGuard::restore();
    }

    void setTextAttribute(std::uint8_t attribute) override {
        StreamConsole::setTextAttribute(attribute);
        if (coloursWritten()) {
            posix::TerminalGuard::noteColoursWritten();
        }
    }

protected:
    void beginKeyWait() override { posix::TerminalGuard::enterRawMode(); }
    void endKeyWait() override { posix::TerminalGuard::leaveRawMode(); }
};

}  // namespace

Console& standardConsole() {
    static PosixConsole console;
    return console;
}

}  // namespace zifferon::console
