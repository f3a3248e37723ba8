#include "process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace zifferon::testing {

bool ProcessResult::exitedWith(int code) const {
    return WIFEXITED(status) && WEXITSTATUS(status) == code;
}

ProcessResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input, const std::function<void()>& prepare) {
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t child = fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        for (const int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
            close(fd);
        }
        if (prepare) {
            prepare();
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    // A program that stops reading early must not kill the test with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    fcntl(in[1], F_SETFL, O_NONBLOCK);

    ProcessResult result;
    std::size_t written = 0;
    int toChild = in[1];
    if (input.empty()) {
        close(toChild);
        toChild = -1;
    }
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        // A stream that has ended is left out (a negative descriptor): its hang-up would
        // otherwise wake the poll at once, again and again.
        pollfd fds[3] = {{outOpen ? out[0] : -1, POLLIN, 0},
                         {errOpen ? err[0] : -1, POLLIN, 0},
                         {toChild, POLLOUT, 0}};
        if (poll(fds, toChild >= 0 ? 3 : 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (toChild >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t count = write(toChild, input.data() + written, input.size() - written);
            if (count > 0) {
                written += static_cast<std::size_t>(count);
            }
            if (count < 0 && errno != EAGAIN) {
                written = input.size();
            }
            if (written == input.size()) {
                close(toChild);
                toChild = -1;
            }
        }
        char buffer[65536];
        for (int i = 0; i < 2; ++i) {
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t count = read(fds[i].fd, buffer, sizeof buffer);
                if (count > 0) {
                    (i == 0 ? result.out : result.err)
                        .append(buffer, static_cast<std::size_t>(count));
                } else {
                    (i == 0 ? outOpen : errOpen) = false;
                }
            }
        }
    }
    if (toChild >= 0) {
        close(toChild);
    }
    close(out[0]);
    close(err[0]);
    waitpid(child, &result.status, 0);
    return result;
}

}  // namespace zifferon::testing
