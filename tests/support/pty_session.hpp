#pragma once

#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zifferon::testing {

// A program running on a pseudo-terminal, as a user in a terminal window meets it: keys go in
// through the terminal's line discipline, and the screen bytes (echo included) come out.
class PtySession {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds defaultTimeout{10000};

    // The program runs with TERM=xterm and without NO_COLOR; `environment` changes that
    // further: "NAME=value" sets a variable, a bare "NAME" removes it. `prepare`, when given,
    // runs in the child just before the program starts: a redirection of one of its streams
    // away from the terminal, a limit.
    PtySession(const std::string& program, const std::vector<std::string>& arguments = {},
               const std::vector<std::string>& environment = {},
               const std::function<void()>& prepare = nullptr);
    ~PtySession();
    PtySession(const PtySession&) = delete;
    PtySession& operator=(const PtySession&) = delete;

    void send(std::string_view bytes);
    // Reads the screen output until it contains `text` after position `from`; false on timeout
    // or when the program ends first.
    bool waitFor(std::string_view text, std::size_t from = 0,
                 std::chrono::milliseconds timeout = defaultTimeout);
    // Everything the program has written so far.
    const std::string& output() const { return screen; }

    // The terminal mode as the program sees it.
    termios mode() const;
    // Polls until the echo and line-mode flags of the terminal are as given.
    bool waitForMode(bool lineMode, std::chrono::milliseconds timeout = defaultTimeout);
    // Polls until the terminal holds back the program's output (flow control: Ctrl-S).
    bool waitForStoppedOutput(std::chrono::milliseconds timeout = defaultTimeout);

    void signal(int number);
    // Waits for the program to end, reading the rest of its output; returns the wait status.
    int finish(std::chrono::milliseconds timeout = defaultTimeout);

private:
    bool readSome(Clock::time_point deadline);

    int master = -1;
    std::string slaveName;
    pid_t child = -1;
    std::string screen;
    bool ended = false;
};

}  // namespace zifferon::testing
