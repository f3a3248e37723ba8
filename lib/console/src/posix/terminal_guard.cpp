#include "terminal_guard.hpp"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>

#include "console/attribute.hpp"

namespace zifferon::console::posix {

namespace {

termios savedMode{};
bool haveSavedMode = false;
bool outputIsTerminal = false;
volatile std::sig_atomic_t rawModeOn = 0;
volatile std::sig_atomic_t coloursWritten = 0;

constexpr int guardedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT};

void restoreAndReraise(int signal) {
    TerminalGuard::restore();
    // SA_RESETHAND has put the default action back; it takes effect when the handler returns.
    raise(signal);
}

}  // namespace

void TerminalGuard::install(bool inputIsTerminal, bool outputIsTerm) {
    outputIsTerminal = outputIsTerm;
    haveSavedMode = inputIsTerminal && tcgetattr(STDIN_FILENO, &savedMode) == 0;
    for (const int signal : guardedSignals) {
        struct sigaction previous {};
        sigaction(signal, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN) {
            continue;  // started with the signal ignored (nohup, background job): keep it so
        }
        struct sigaction action {};
        action.sa_handler = restoreAndReraise;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        sigaction(signal, &action, nullptr);
    }
}

void TerminalGuard::enterRawMode() {
    if (!haveSavedMode) {
        return;
    }
    termios raw = savedMode;
    raw.c_lflag &= ~(ICANON | ECHO | IEXTEN);  // keys one by one, unechoed; ISIG stays on
    raw.c_cc[VMIN] = 1;                        // a read returns as soon as one byte is there
    raw.c_cc[VTIME] = 0;
    // TCSANOW, not TCSAFLUSH: keys typed ahead must not be lost.
    if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0) {
        rawModeOn = 1;
    }
}

void TerminalGuard::leaveRawMode() {
    if (rawModeOn) {
        tcsetattr(STDIN_FILENO, TCSANOW, &savedMode);
        rawModeOn = 0;
    }
}

void TerminalGuard::noteColoursWritten() {
    coloursWritten = 1;
}

void TerminalGuard::restore() {
    if (haveSavedMode) {
        tcsetattr(STDIN_FILENO, TCSANOW, &savedMode);
        rawModeOn = 0;
    }
    if (coloursWritten && outputIsTerminal) {
        [[maybe_unused]] const ssize_t ignored =
            write(STDOUT_FILENO, sgrReset, sizeof sgrReset - 1);
        coloursWritten = 0;
    }
}

}  // namespace zifferon::console::posix
