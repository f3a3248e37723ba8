#include "terminal_guard.hpp"

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
bool coloursReachTerminal = false;
volatile std::sig_atomic_t rawModeOn = 0;
volatile std::sig_atomic_t rawModeWanted = 0;  // a key is awaited
volatile std::sig_atomic_t coloursWritten = 0;
volatile std::sig_atomic_t continued = 0;

constexpr int endingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT};

// tcsetattr with SIGTTOU held back: should the program have lost the terminal meanwhile, the
// call must neither stop it nor hang.
bool setMode(const termios& mode) {
    sigset_t ttou;
    sigset_t previous;
    sigemptyset(&ttou);
    sigaddset(&ttou, SIGTTOU);
    sigprocmask(SIG_BLOCK, &ttou, &previous);
    const bool done = tcsetattr(STDIN_FILENO, TCSANOW, &mode) == 0;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    return done;
}

void leaveRaw() {
    if (rawModeOn) {
        setMode(savedMode);
        rawModeOn = 0;
    }
}

void resetColours() {
    if (coloursWritten && coloursReachTerminal) {
        writeAll(STDOUT_FILENO, sgrReset, sizeof sgrReset - 1);
    }
}

void restoreAndReraise(int signal) {
    TerminalGuard::restore();
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
    resetColours();
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
    if (rawModeWanted && !rawModeOn && TerminalGuard::inForeground() && setMode(rawMode)) {
        rawModeOn = 1;
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

void TerminalGuard::install(bool inputIsTerminal, bool coloursOnTerminal) {
    coloursReachTerminal = coloursOnTerminal;
    haveSavedMode = inputIsTerminal && tcgetattr(STDIN_FILENO, &savedMode) == 0;
    rawMode = savedMode;
    rawMode.c_lflag &= ~(ICANON | ECHO | IEXTEN);  // keys one by one, unechoed; ISIG stays on
    rawMode.c_cc[VMIN] = 1;                        // a read returns as soon as one byte is there
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
    // TCSANOW, not TCSAFLUSH: keys typed ahead must not be lost. In the background the mode
    // is set when the program is continued in the foreground.
    if (haveSavedMode && !rawModeOn && inForeground() && setMode(rawMode)) {
        rawModeOn = 1;
    }
}

void TerminalGuard::leaveRawMode() {
    rawModeWanted = 0;
    leaveRaw();
}

void TerminalGuard::noteColoursWritten() {
    coloursWritten = 1;
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
