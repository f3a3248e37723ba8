#pragma once

namespace zifferon::console::posix {

// Keeps the terminal restorable from anywhere, signal handlers included: the mode standard
// input had at start, whether raw mode is on or wanted, and whether colours (or other text
// attributes) were written. A signal handler never waits for the output: it puts the colours
// back only if the terminal takes the reset at once.
//
// The state is process-wide because the terminal is; everything a signal handler touches is
// written before the handlers are installed or is a sig_atomic_t.
//
// Only what the program changed is put back, and the terminal's mode is touched only while
// the program is in the foreground: a background job that changes it would be stopped by
// SIGTTOU, and would disturb the job that owns the terminal.
class TerminalGuard {
public:
    // Saves the terminal mode (if standard input is a terminal) and installs the handlers:
    // SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGABRT restore, then end the program as the signal
    // would; SIGTSTP restores, then stops; SIGCONT puts raw mode back if a key is awaited. A
    // signal ignored at start stays ignored. `attributesOnTerminal`: text attributes written to
    // standard output reach a terminal. Call once.
    static void install(bool inputIsTerminal, bool attributesOnTerminal);

    // Raw mode: no echo, no line editing, no flow control, signals still on, one byte at a
    // time.
    static void enterRawMode();
    static void leaveRawMode();
    static void noteColoursWritten();

    // Standard error's terminal shows a status line (see StatusLine): a signal that ends the
    // program first ends the line, so that the shell's prompt starts on a line of its own. The
    // signals are those above and SIGPIPE, which a reader of the output that leaves sends;
    // again, one ignored at start stays ignored.
    static void watchStatusLine();
    static void noteStatusLineOpen(bool open);

    // Whether the program was continued after a stop since the last call.
    static bool takeContinued();
    // Whether the program owns the terminal now.
    static bool inForeground();

    // Back to the saved mode and the terminal's own colours, at the program's end. Harmless to
    // call twice.
    static void restore();
};

}  // namespace zifferon::console::posix
