#include "terminal_guard.hpp"

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "fd_streams.hpp"
#include "zifferon/console/attribute.hpp"

namespace zifferon::console::posix {

namespace {

termios savedMode{};
termios rawMode{};
bool haveSavedMode = false;
bool attributesReachTerminal = false;
// The terminal once more, in non-blocking mode: a signal handler writes through it, so that it
// never waits for output the user has stopped (Ctrl-S in line mode) or a terminal that does
// not take any more. A description of its own, as non-blocking mode on the one standard output
// shares would reach the shell too.
int signalOutput = -1;
// Standard error's terminal, non-blocking for the same reason, when it shows a status line.
int statusOutput = -1;
volatile std::sig_atomic_t rawModeOn = 0;
volatile std::sig_atomic_t rawModeWanted = 0;  // a key is awaited
volatile std::sig_atomic_t coloursWritten = 0;
volatile std::sig_atomic_t continued = 0;
volatile std::sig_atomic_t statusLineOpen = 0;

constexpr int endingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT};

// Changes the mode and records it with every signal held back that looks at the record, so
// that no handler finds the terminal switched but not yet recorded (a raw terminal left behind
// by SIGTERM). SIGTTOU is held back too: should the program have lost the terminal meanwhile,
// the call must neither stop it nor hang.
void switchMode(bool raw) {
    sigset_t held;
    sigset_t previous;
    sigemptyset(&held);
    for (const int signal : endingSignals) {
        sigaddset(&held, signal);
    }
    sigaddset(&held, SIGTSTP);
    sigaddset(&held, SIGCONT);
    sigaddset(&held, SIGTTOU);
    sigprocmask(SIG_BLOCK, &held, &previous);
    // TCSANOW, not TCSAFLUSH: keys typed ahead must not be lost. Raw mode is set only in the
    // foreground; in the background it is set when the program is continued there.
    if (raw && !rawModeOn && TerminalGuard::inForeground()) {
        rawModeOn = tcsetattr(STDIN_FILENO, TCSANOW, &rawMode) == 0 ? 1 : 0;
    } else if (!raw && rawModeOn) {
        tcsetattr(STDIN_FILENO, TCSANOW, &savedMode);
        rawModeOn = 0;
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

void leaveRaw() {
    switchMode(false);
}

// Writes what the terminal takes at once; the rest is dropped.
void writeAtOnce(int fd, const char* text, std::size_t count) {
    while (count > 0) {
        const ssize_t written = write(fd, text, count);
        if (written > 0) {
            text += written;
            count -= static_cast<std::size_t>(written);
        } else if (written == 0 || errno != EINTR) {
            return;
        }
    }
}

void resetColours() {
    if (coloursWritten && attributesReachTerminal) {
        writeAll(STDOUT_FILENO, sgrReset, sizeof sgrReset - 1);
    }
}

// The same from a signal handler: never waits.
void resetColoursAtOnce() {
    if (coloursWritten && signalOutput >= 0) {
        writeAtOnce(signalOutput, sgrReset, sizeof sgrReset - 1);
    }
}

// Never waits either: a status line left without its line break gets it.
void endStatusLineAtOnce() {
    if (statusLineOpen && statusOutput >= 0) {
        writeAtOnce(statusOutput, "\n", 1);
    }
}

void restoreAndReraise(int signal) {
    leaveRaw();
    resetColoursAtOnce();
    endStatusLineAtOnce();
    // SA_RESETHAND has put the default action back; it takes effect when the handler returns.
    raise(signal);
}

void setHandler(int signal, void (*handler)(int), int flags) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = flags;
    sigaction(signal, &action, nullptr);
}

// Ctrl-Z: the shell gets its terminal back as it left it, then the program stops. The colours
// stay noted, as the redraw after continuing writes them again.
void suspend(int /*signal*/) {
    const int savedErrno = errno;
    leaveRaw();
    resetColoursAtOnce();
    setHandler(SIGTSTP, SIG_DFL, 0);
    sigset_t tstp;
    sigemptyset(&tstp);
    sigaddset(&tstp, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &tstp, nullptr);
    raise(SIGTSTP);  // stops here until SIGCONT
    setHandler(SIGTSTP, suspend, 0);
    errno = savedErrno;
}

// No SA_RESTART: a wait for input returns, so that the screen can be drawn again.
void resume(int /*signal*/) {
    const int savedErrno = errno;
    if (rawModeWanted) {
        switchMode(true);
    }
    continued = 1;
    errno = savedErrno;
}

bool ignoredAtStart(int signal) {
    struct sigaction previous {};
    sigaction(signal, nullptr, &previous);
    return previous.sa_handler == SIG_IGN;
}

}  // namespace

void TerminalGuard::install(bool inputIsTerminal, bool attributesOnTerminal) {
    attributesReachTerminal = attributesOnTerminal;
    char terminal[256];
    if (attributesOnTerminal && ttyname_r(STDOUT_FILENO, terminal, sizeof terminal) == 0) {
        signalOutput = open(terminal, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    }
    haveSavedMode = inputIsTerminal && tcgetattr(STDIN_FILENO, &savedMode) == 0;
    rawMode = savedMode;
    rawMode.c_lflag &= ~(ICANON | ECHO | IEXTEN);  // keys one by one, unechoed; ISIG stays on
    // Ctrl-S and Ctrl-Q are keys like any other in a full-screen program; as flow control they
    // would stop the output, and with it the program at its next write, signals included.
    rawMode.c_iflag &= ~IXON;
    rawMode.c_cc[VMIN] = 1;  // a read returns as soon as one byte is there
    rawMode.c_cc[VTIME] = 0;
    for (const int signal : endingSignals) {
        // Started with the signal ignored (nohup, background job): keep it so.
        if (!ignoredAtStart(signal)) {
            setHandler(signal, restoreAndReraise, SA_RESETHAND);
        }
    }
    if (!ignoredAtStart(SIGTSTP)) {
        setHandler(SIGTSTP, suspend, 0);
    }
    setHandler(SIGCONT, resume, 0);
}

void TerminalGuard::enterRawMode() {
    rawModeWanted = 1;
    switchMode(true);
}

void TerminalGuard::leaveRawMode() {
    rawModeWanted = 0;
    leaveRaw();
}

void TerminalGuard::noteColoursWritten() {
    coloursWritten = 1;
}

void TerminalGuard::watchStatusLine() {
    char terminal[256];
    if (statusOutput < 0 && ttyname_r(STDERR_FILENO, terminal, sizeof terminal) == 0) {
        statusOutput = open(terminal, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    }
    if (!ignoredAtStart(SIGPIPE)) {
        setHandler(SIGPIPE, restoreAndReraise, SA_RESETHAND);
    }
}

void TerminalGuard::noteStatusLineOpen(bool open) {
    statusLineOpen = open ? 1 : 0;
}

bool TerminalGuard::takeContinued() {
    if (!continued) {
        return false;
    }
    continued = 0;
    return true;
}

bool TerminalGuard::inForeground() {
    return haveSavedMode && tcgetpgrp(STDIN_FILENO) == getpgrp();
}

void TerminalGuard::restore() {
    leaveRaw();
    resetColours();
    coloursWritten = 0;
}

}  // namespace zifferon::console::posix
