// What the programs do when their output cannot be written or their input cannot be read: one
// German line on standard error naming the cause, and an exit status that is not 0.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <ostream>
#include <string>

#include "process.hpp"

namespace zifferon::testing {
namespace {

constexpr int outputLost = 2;
constexpr int inputFailed = 3;

const std::string probelauf = PROBELAUF_PROGRAM;
const std::string fehlerlauf = FEHLERLAUF_PROGRAM;
const std::string rechenpult = RECHENPULT_PROGRAM;
const std::string serienlauf = SERIENLAUF_PROGRAM;

const std::string oneCase = "1\na double 1 1 2 1 1 4\n";
// Chooses double, then ends the calculator from its main menu.
const std::string calculatorKeys = "\r\x1b[B\x1b[B\x1b[B\x1b[B\x1b[B\x1b[B\r";

std::string writeFailure(int error) {
    return std::string("Fehler beim Schreiben der Ausgabe: ") + std::strerror(error) + "\n";
}

void redirectOutput(const char* path) {
    const int fd = open(path, O_WRONLY);
    dup2(fd, STDOUT_FILENO);
    close(fd);
}

// Standard output into a pipe whose read end is already closed.
void outputToAPipeWithoutReader() {
    int ends[2];
    if (pipe(ends) == 0) {
        dup2(ends[1], STDOUT_FILENO);
        close(ends[0]);
        close(ends[1]);
    }
}

void sigpipe(void (*disposition)(int)) {
    signal(SIGPIPE, disposition);
}

struct Program {
    std::string name;
    std::string path;
    std::string input;
};

// The program's name names the test and shows in its messages, not the object's bytes.
void PrintTo(const Program& program, std::ostream* out) {
    *out << program.name;
}

// Standard output into a file that may grow to `limit` bytes (`ulimit -f`), with SIGXFSZ at its
// default: a program that does not see to it is killed at the limit.
class LimitedFile {
public:
    LimitedFile() : file(mkstemp(path)) { EXPECT_GE(file, 0); }
    ~LimitedFile() {
        close(file);
        unlink(path);
    }

    ProcessResult run(const std::string& program, const std::string& input, rlim_t limit) {
        return runProgram(program, {}, input, [this, limit] {
            signal(SIGXFSZ, SIG_DFL);
            const rlimit size{limit, limit};
            setrlimit(RLIMIT_FSIZE, &size);
            dup2(file, STDOUT_FILENO);
        });
    }

    std::string written() const {
        std::string text(static_cast<std::size_t>(lseek(file, 0, SEEK_END)), '\0');
        EXPECT_EQ(pread(file, text.data(), text.size(), 0), static_cast<ssize_t>(text.size()));
        return text;
    }

private:
    char path[32] = "/tmp/zifferon-limit-XXXXXX";
    int file;
};

class LostOutput : public ::testing::TestWithParam<Program> {};

TEST_P(LostOutput, AFullDeviceIsReportedAndEndsTheRun) {
    const ProcessResult run =
        runProgram(GetParam().path, {}, GetParam().input, [] { redirectOutput("/dev/full"); });
    EXPECT_TRUE(run.exitedWith(outputLost)) << run.status;
    EXPECT_EQ(run.err, writeFailure(ENOSPC));
}

TEST_P(LostOutput, AClosedOutputIsReportedAndEndsTheRun) {
    const ProcessResult run =
        runProgram(GetParam().path, {}, GetParam().input, [] { close(STDOUT_FILENO); });
    EXPECT_TRUE(run.exitedWith(outputLost)) << run.status;
    EXPECT_EQ(run.err, writeFailure(EBADF));
}

TEST_P(LostOutput, AReaderThatLeftIsReportedWhenSigpipeIsIgnored) {
    const ProcessResult run = runProgram(GetParam().path, {}, GetParam().input, [] {
        sigpipe(SIG_IGN);
        outputToAPipeWithoutReader();
    });
    EXPECT_TRUE(run.exitedWith(outputLost)) << run.status;
    EXPECT_EQ(run.err, writeFailure(EPIPE));
}

// Met like a full disk; the first write does not fit whole, so nothing of it stays.
TEST_P(LostOutput, AFileSizeLimitIsReportedAndEndsTheRun) {
    LimitedFile file;
    const ProcessResult run = file.run(GetParam().path, GetParam().input, 10);
    EXPECT_TRUE(run.exitedWith(outputLost)) << run.status;
    EXPECT_EQ(run.err, writeFailure(EFBIG));
    EXPECT_EQ(file.written(), "");
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, LostOutput,
                         ::testing::Values(Program{"probelauf", probelauf, oneCase},
                                           Program{"fehlerlauf", fehlerlauf, ""},
                                           Program{"rechenpult", rechenpult, calculatorKeys},
                                           Program{"serienlauf", serienlauf, ""}));

TEST(LostOutput, AReaderThatLeftStillEndsByTheSignalByDefault) {
    const ProcessResult run = runProgram(probelauf, {}, oneCase, [] {
        sigpipe(SIG_DFL);
        outputToAPipeWithoutReader();
    });
    EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == SIGPIPE) << run.status;
}

// The header fits, the first row does not: the table is the header alone.
TEST(LostOutput, UnderAFileSizeLimitTheTableEndsWithItsLastCompleteRow) {
    LimitedFile file;
    const std::string header =
        "lfd.Nr. ! Koeffizientenmatrix ! absolute Glieder ! L\xF6sung ! Probe ! mittlere "
        "Abweichung / % ! Version ! Datum\n";
    const ProcessResult run = file.run(serienlauf, "", header.size() + 10);
    EXPECT_TRUE(run.exitedWith(outputLost)) << run.status;
    EXPECT_EQ(run.err, writeFailure(EFBIG));
    EXPECT_EQ(file.written(), header);
}

// Waits until the pipe holds as much as it can, or its writer has gone.
void waitUntilFull(int fd) {
    const int capacity = fcntl(fd, F_GETPIPE_SZ);
    for (;;) {
        int queued = 0;
        pollfd request{fd, POLLIN, 0};
        if (ioctl(fd, FIONREAD, &queued) != 0 || queued >= capacity ||
            (poll(&request, 1, 0) > 0 && (request.revents & POLLHUP) != 0)) {
            return;
        }
        usleep(1000);
    }
}

// Standard output into a pipe in non-blocking mode, with a reader that takes nothing until the
// pipe is full and then passes everything on: the program's writes find the pipe full.
void outputToASlowReader() {
    int ends[2];
    if (pipe(ends) != 0) {
        _exit(120);
    }
    fcntl(ends[1], F_SETPIPE_SZ, 4096);
    if (fork() == 0) {
        close(ends[1]);
        waitUntilFull(ends[0]);
        char buffer[4096];
        ssize_t count = 0;
        while ((count = read(ends[0], buffer, sizeof buffer)) > 0) {
            if (write(STDOUT_FILENO, buffer, static_cast<std::size_t>(count)) != count) {
                _exit(1);
            }
        }
        _exit(0);
    }
    close(ends[0]);
    dup2(ends[1], STDOUT_FILENO);
    close(ends[1]);
    fcntl(STDOUT_FILENO, F_SETFL, fcntl(STDOUT_FILENO, F_GETFL) | O_NONBLOCK);
}

TEST(SlowReader, ANonBlockingOutputIsWaitedOn) {
    std::string script = "300\n";
    std::string expected;
    const std::string blocks = "Koeffizientenmatrix = \n2\t\n\n\nabsolute Glieder = \n4\t\n\n\n";
    for (int i = 1; i <= 300; ++i) {
        script += "c double 1 1 2 1 1 4\n";
        const std::string number = std::to_string(i);
        expected += "********************   Beginn Testfall " + number +
                    "   ********************\n\nTest: c\nType: double\n\nVorher: \n\n" + blocks +
                    "Resultat: \n\n2\t\n\nNachher: \n\n" + blocks +
                    "********************   Ende Testfall " + number +
                    "   ********************\n\n";
    }
    const ProcessResult run = runProgram(probelauf, {}, script, outputToASlowReader);
    EXPECT_TRUE(run.exitedWith(0)) << run.status;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out == expected) << run.out.size() << " of " << expected.size() << " bytes";
}

TEST(ReadError, AnInputThatCannotBeReadIsNoEndOfInput) {
    for (const std::string& program : {probelauf, rechenpult}) {
        const ProcessResult run = runProgram(program, {}, "", [] {
            const int directory = open("/", O_RDONLY | O_DIRECTORY);
            dup2(directory, STDIN_FILENO);
            close(directory);
        });
        EXPECT_TRUE(run.exitedWith(inputFailed)) << program << ' ' << run.status;
        EXPECT_EQ(run.err,
                  std::string("Fehler beim Lesen der Eingabe: ") + std::strerror(EISDIR) + "\n")
            << program;
    }
}

// Standard input in non-blocking mode, with the script arriving a little later: the program
// waits for it instead of taking the empty pipe for the end of the script.
TEST(ReadError, ANonBlockingInputIsWaitedOn) {
    const ProcessResult run = runProgram(probelauf, {}, "", [] {
        int ends[2];
        if (pipe(ends) != 0) {
            _exit(120);
        }
        if (fork() == 0) {
            close(ends[0]);
            usleep(300'000);
            const std::string script = "1\nlate double 1 1 2 1 1 4\n";
            _exit(write(ends[1], script.data(), script.size()) < 0 ? 1 : 0);
        }
        close(ends[1]);
        dup2(ends[0], STDIN_FILENO);
        close(ends[0]);
        fcntl(STDIN_FILENO, F_SETFL, fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
    });
    EXPECT_TRUE(run.exitedWith(0)) << run.status << run.err;
    EXPECT_NE(run.out.find("Test: late\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("2\t\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace zifferon::testing
