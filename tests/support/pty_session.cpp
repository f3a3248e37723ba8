#include "pty_session.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <thread>

namespace zifferon::testing {

PtySession::PtySession(const std::string& program, const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment,
                       const std::function<void()>& prepare) {
    winsize size{};
    size.ws_row = 25;
    size.ws_col = 80;
    char name[256] = {};
    child = forkpty(&master, name, nullptr, &size);
    if (child < 0) {
        throw std::runtime_error("forkpty failed");
    }
    if (child == 0) {
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        // A terminal window as users have one, whatever the test run's own environment is.
        setenv("TERM", "xterm", 1);
        unsetenv("NO_COLOR");
        for (const std::string& setting : environment) {
            const std::size_t equals = setting.find('=');
            if (equals == std::string::npos) {
                unsetenv(setting.c_str());
            } else {
                setenv(setting.substr(0, equals).c_str(), setting.c_str() + equals + 1, 1);
            }
        }
        if (prepare) {
            prepare();
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    slaveName = name;
}

PtySession::~PtySession() {
    if (!ended && child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    if (master >= 0) {
        close(master);
    }
}

void PtySession::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(master, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error("write to the terminal failed");
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

bool PtySession::readSome(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
        return false;
    }
    pollfd request{master, POLLIN, 0};
    const int ready = poll(&request, 1, static_cast<int>(left));
    if (ready <= 0) {
        return ready < 0 && errno == EINTR;
    }
    char buffer[4096];
    const ssize_t count = read(master, buffer, sizeof buffer);
    if (count <= 0) {
        return false;  // EIO: the program has closed the terminal
    }
    screen.append(buffer, static_cast<std::size_t>(count));
    return true;
}

bool PtySession::waitFor(std::string_view text, std::size_t from,
                         std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (screen.find(text, std::min(from, screen.size())) == std::string::npos) {
        if (!readSome(deadline)) {
            return false;
        }
    }
    return true;
}

termios PtySession::mode() const {
    termios result{};
    const int slave = open(slaveName.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0 || tcgetattr(slave, &result) != 0) {
        throw std::runtime_error("cannot read the terminal mode");
    }
    close(slave);
    return result;
}

bool PtySession::waitForMode(bool lineMode, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const termios current = mode();
        const bool isLineMode = (current.c_lflag & ICANON) != 0 && (current.c_lflag & ECHO) != 0;
        const bool isRaw = (current.c_lflag & (ICANON | ECHO)) == 0;
        if (lineMode ? isLineMode : isRaw) {
            return true;
        }
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool PtySession::waitForStoppedOutput(std::chrono::milliseconds timeout) {
    const int slave = open(slaveName.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    if (slave < 0) {
        throw std::runtime_error("cannot open the terminal");
    }
    const auto deadline = Clock::now() + timeout;
    bool stopped = false;
    // A stopped terminal has no room for output.
    pollfd request{slave, POLLOUT, 0};
    while (!(stopped = poll(&request, 1, 0) == 0) && Clock::now() <= deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    close(slave);
    return stopped;
}

void PtySession::signal(int number) {
    kill(child, number);
}

int PtySession::finish(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) {
            break;
        }
        if (!readSome(std::min(deadline, Clock::now() + std::chrono::milliseconds(20))) &&
            Clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
    }
    ended = true;
    // Collect what is still in the terminal after the end.
    while (readSome(Clock::now() + std::chrono::milliseconds(20))) {
    }
    return status;
}

}  // namespace zifferon::testing
