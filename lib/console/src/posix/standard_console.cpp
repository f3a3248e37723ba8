#include "zifferon/console/standard_console.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>

#include "fd_streams.hpp"
#include "terminal_guard.hpp"
#include "zifferon/console/stream_console.hpp"

namespace zifferon::console {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// A terminal that takes escape sequences needs a TERM other than "dumb".
bool termTakesEscapes() {
    return isSet("TERM") && std::strcmp(std::getenv("TERM"), "dumb") != 0;
}

// NO_COLOR (set and not empty) asks for no colours, while clearing the screen stays allowed.
OutputTraits standardOutputTraits() {
    OutputTraits traits;
    traits.terminal = isatty(STDOUT_FILENO) == 1;
    traits.escapes = traits.terminal && termTakesEscapes();
    traits.colours = traits.escapes && !isSet("NO_COLOR");
    return traits;
}

// A descriptor that is closed at start is held open on /dev/null, in the direction that fails:
// reads and writes then report EBADF as before, and no file the program opens later can take
// its number and receive the output.
void holdClosedDescriptors() {
    const struct {
        int fd;
        int flags;
    } standard[] = {{STDIN_FILENO, O_WRONLY}, {STDOUT_FILENO, O_RDONLY}, {STDERR_FILENO, O_RDONLY}};
    for (const auto& [fd, flags] : standard) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int held = open("/dev/null", flags | O_CLOEXEC);
            if (held >= 0 && held != fd) {
                dup2(held, fd);
                close(held);
            }
        }
    }
}

// The streams come first, as a base, so they exist before the console that uses them.
struct StandardStreams {
    StandardStreams()
        : inputIsTerminal((holdClosedDescriptors(), isatty(STDIN_FILENO) == 1)),
          outputTraits(standardOutputTraits()),
          input(STDIN_FILENO, inputIsTerminal),
          outputBuffer({STDOUT_FILENO, inputIsTerminal && outputTraits.escapes ? &screen : nullptr},
                       true),
          errorBuffer({STDERR_FILENO}, false),
          output(&outputBuffer),
          error(&errorBuffer) {}

    bool inputIsTerminal;
    OutputTraits outputTraits;
    ScreenRecord screen;
    posix::FileDescriptorInput input;
    posix::FileDescriptorOutput outputBuffer;
    posix::FileDescriptorOutput errorBuffer;
    std::ostream output;
    std::ostream error;
};

class PosixConsole final : private StandardStreams, public StreamConsole {
public:
    PosixConsole() : StreamConsole(StandardStreams::input, output, error, outputTraits) {
        // A file size limit then fails the write with EFBIG, which is reported like a full
        // disk, instead of killing the program by SIGXFSZ without a word.
        std::signal(SIGXFSZ, SIG_IGN);
        posix::TerminalGuard::install(inputIsTerminal, outputTraits.escapes);
        StandardStreams::input.onContinued([this] { redraw(); });
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

    std::unique_ptr<StatusLine> openStatusLine() override {
        if (isatty(STDERR_FILENO) != 1) {
            return nullptr;
        }
        posix::TerminalGuard::watchStatusLine();
        return std::make_unique<StatusLine>(
            error, termTakesEscapes() ? StatusLine::Style::escapes : StatusLine::Style::plain,
            &posix::TerminalGuard::noteStatusLineOpen);
    }

protected:
    void beginKeyWait() override { posix::TerminalGuard::enterRawMode(); }
    void endKeyWait() override { posix::TerminalGuard::leaveRawMode(); }
    void newScreen() override { screen.restart(); }

private:
    // After a stop the shell has written over the screen: show it again as it was.
    void redraw() {
        if (screen.usable() && posix::TerminalGuard::inForeground()) {
            posix::writeAll(STDOUT_FILENO, screen.bytes().data(), screen.bytes().size());
        }
    }
};

}  // namespace

void useFileAsStandardInput(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOCTTY);
    if (fd < 0) {
        throw InputFailed{errno, path};
    }
    // A directory opens, but every read of it would fail: say so now, with its name.
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        close(fd);
        throw InputFailed{EISDIR, path};
    }
    if (fd != STDIN_FILENO) {
        const int moved = dup2(fd, STDIN_FILENO);
        const int error = errno;
        close(fd);
        if (moved < 0) {
            throw InputFailed{error, path};
        }
    }
}

Console& standardConsole() {
    static PosixConsole console;
    return console;
}

}  // namespace zifferon::console
