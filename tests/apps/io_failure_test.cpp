// What the programs do when their output cannot be written or their input cannot be read: one
// German line on standard error naming the cause, and an exit status that is not 0.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
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

// A file system that fills up after 4 KiB (a file size limit gives the same failed write):
// the report stops there, and probelauf neither goes on nor ends with 0.
TEST(LostOutput, AFileSystemThatFillsUpEndsTheReportWhereItStops) {
    char path[] = "/tmp/zifferon-full-XXXXXX";
    const int file = mkstemp(path);
    ASSERT_GE(file, 0);
    std::string script = "2000\n";
    for (int i = 0; i < 2000; ++i) {
        script += "case double 2 2 1 2 3 4 2 1 5 6\n";
    }
    const ProcessResult run = runProgram(probelauf, {}, script, [file] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit size{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &size);
        dup2(file, STDOUT_FILENO);
    });
    const off_t written = lseek(file, 0, SEEK_END);
    close(file);
    unlink(path);
    EXPECT_TRUE(run.exitedWith(outputLost)) << run.status;
    EXPECT_EQ(run.err, writeFailure(EFBIG));
    EXPECT_LE(written, 4096);
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
