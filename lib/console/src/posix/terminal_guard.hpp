#pragma once

namespace zifferon::console::posix {

// Keeps the terminal restorable from anywhere, signal handlers included: the mode standard
// input had at start, whether raw mode is on, and whether colours were written.
//
// The state is process-wide because the terminal is; everything a signal handler touches is
// written before the handlers are installed or is a sig_atomic_t.
class TerminalGuard {
public:
    // Saves the terminal mode (if standard input is a terminal) and installs the handlers for
    // SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGABRT (those not ignored). Restoring, then ending
    // as the signal would. Call once.
    static void install(bool inputIsTerminal, bool outputIsTerminal);

    // Raw mode: no echo, no line editing, signals still on, one byte at a time.
    static void enterRawMode();
    static void leaveRawMode();
    static void noteColoursWritten();

    // Back to the saved mode and the terminal's own colours. Harmless to call twice, and
    // async-signal-safe.
    static void restore();
};

}  // namespace zifferon::console::posix
