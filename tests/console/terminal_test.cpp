// The terminal layer as a user meets it: through a pseudo-terminal (keys typed into a terminal
// window) and through pipes (a scripted session). The driver program runs the actions named on
// its command line against the process's standard console.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <ostream>
#include <string>

#include "process.hpp"
#include "pty_session.hpp"

namespace zifferon::testing {
namespace {

const std::string driver = CONSOLE_DRIVER;

// The terminal turns every line end the program writes into CR LF.
constexpr const char* awaitKey = "await key\r\n";
constexpr const char* awaitWord = "await word\r\n";

TEST(Terminal, ArrowKeysArriveAsPrefixAndCode) {
    PtySession session(driver, {"key", "key", "key", "key", "key", "key"});
    ASSERT_TRUE(session.waitFor(awaitKey));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\x1b[A\x1bOB\rP");
    ASSERT_TRUE(session.waitFor("key 13\r\nawait key\r\nkey 80\r\n")) << session.output();
    EXPECT_NE(session.output().find("key 224\r\nawait key\r\nkey 72\r\nawait key\r\n"
                                    "key 224\r\nawait key\r\nkey 80\r\nawait key\r\n"
                                    "key 13\r\nawait key\r\nkey 80\r\n"),
              std::string::npos)
        << session.output();
    EXPECT_TRUE(WIFEXITED(session.finish()));
}

TEST(Terminal, RawModeOnlyWhileAKeyIsAwaited) {
    PtySession session(driver, {"word", "key", "word"});
    ASSERT_TRUE(session.waitFor(awaitWord));
    ASSERT_TRUE(session.waitForMode(true));
    session.send("hello\n");
    // Line mode echoes what is typed.
    ASSERT_TRUE(session.waitFor("hello\r\nword hello\r\n"));

    ASSERT_TRUE(session.waitFor(awaitKey));
    ASSERT_TRUE(session.waitForMode(false));
    const std::size_t keyPrompt = session.output().find(awaitKey) + 11;
    session.send("Q");  // no Enter needed, and no echo
    ASSERT_TRUE(session.waitFor("key 81\r\n", keyPrompt));
    EXPECT_EQ(session.output().substr(keyPrompt, 8), "key 81\r\n");

    ASSERT_TRUE(session.waitFor(awaitWord, keyPrompt));
    ASSERT_TRUE(session.waitForMode(true));
    session.send("bye\n");
    ASSERT_TRUE(session.waitFor("word bye\r\n"));
    const int status = session.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(session.waitForMode(true));
}

TEST(Terminal, TheRestOfATypedLineIsNoKeyPress) {
    PtySession session(driver, {"word", "key"});
    ASSERT_TRUE(session.waitFor(awaitWord));
    session.send("abc def\n");
    ASSERT_TRUE(session.waitFor(awaitKey));
    // Keys typed before raw mode is on would be echoed; a user could not see the difference.
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\x1b[B");
    ASSERT_TRUE(session.waitFor("word abc\r\nawait key\r\nkey 224\r\n")) << session.output();
    session.finish();
}

TEST(Terminal, ALoneEscapeIsAKeyAndDoesNotHang) {
    PtySession session(driver, {"key", "key"});
    ASSERT_TRUE(session.waitFor(awaitKey));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\x1b");
    ASSERT_TRUE(session.waitFor("key 27\r\n"));
    session.send("x");
    ASSERT_TRUE(session.waitFor("key 120\r\n"));
    session.finish();
}

TEST(Terminal, PauseTakesAnyKeyWithoutEnter) {
    PtySession session(driver, {"pause", "key"});
    ASSERT_TRUE(session.waitFor("Druecken Sie eine beliebige Taste . . . "));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\x1b[A");
    ASSERT_TRUE(session.waitFor("\r\npaused\r\nawait key\r\n"));
    session.send("y");
    ASSERT_TRUE(session.waitFor("key 121\r\n"));
    session.finish();
}

TEST(Terminal, EndOfInputAtTheKeyboardEndsReading) {
    PtySession session(driver, {"word", "key"});
    ASSERT_TRUE(session.waitFor(awaitWord));
    session.send("\x04");  // Ctrl-D at the start of a line
    ASSERT_TRUE(session.waitFor("word <end>\r\nawait key\r\nkey -1\r\n")) << session.output();
    const int status = session.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(Terminal, ColoursAndClearingAreEscapeSequencesAndAreResetAtExit) {
    PtySession session(driver, {"clear", "attr:112", "attr:7"});
    const int status = session.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(session.output(), "\x1b[H\x1b[2J\x1b[30;47m\x1b[39;49m\x1b[0m");
}

// A terminal without a usable TERM gets no escape sequences at all; NO_COLOR leaves out the
// colours only: the highlight (0x70) becomes inverse video, written when it changes.
struct PlainTerminal {
    std::string name;
    std::string setting;
    std::string screen;
};

void PrintTo(const PlainTerminal& terminal, std::ostream* out) {
    *out << terminal.name;
}

class PlainTerminals : public ::testing::TestWithParam<PlainTerminal> {};

TEST_P(PlainTerminals, WriteOnlyWhatTheTerminalCanShow) {
    PtySession session(driver, {"clear", "attr:112", "attr:112", "attr:12", "attr:7"},
                       {GetParam().setting});
    const int status = session.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(session.output(), GetParam().screen);
}

INSTANTIATE_TEST_SUITE_P(Settings, PlainTerminals,
                         ::testing::Values(PlainTerminal{"DumbTerm", "TERM=dumb", "\f"},
                                           PlainTerminal{"NoTerm", "TERM", "\f"},
                                           PlainTerminal{"NoColor", "NO_COLOR=1",
                                                         "\x1b[H\x1b[2J\x1b[7m\x1b[27m\x1b[0m"},
                                           PlainTerminal{"EmptyNoColor", "NO_COLOR=",
                                                         "\x1b[H\x1b[2J\x1b[30;47m\x1b[30;47m"
                                                         "\x1b[91;40m\x1b[39;49m\x1b[0m"}));

// An interactive shell with job control on the terminal, as a user has one.
class JobControlShell {
public:
    JobControlShell() : session("/bin/bash", {"--norc", "--noprofile", "-i"}, {"PS1=$ "}) {
        EXPECT_TRUE(session.waitFor("$ "));
    }

    // Runs a command line and waits for `text` in what follows it.
    bool run(const std::string& line, const std::string& text,
             std::chrono::milliseconds timeout = PtySession::defaultTimeout) {
        const std::size_t from = session.output().size();
        session.send(line + "\n");
        return session.waitFor(text, from, timeout);
    }

    PtySession session;
};

TEST(JobControl, ABackgroundRunEndsOnItsOwnAndByKillWithoutStopping) {
    JobControlShell shell;
    ASSERT_TRUE(shell.run(driver + " attr:7 >/dev/null & wait $!; echo \"ended=$?\"", "ended=0"))
        << shell.session.output();
    ASSERT_TRUE(shell.run(driver + " sleep >/dev/null &", "$ "));
    // A stopped job would make wait report 128 + SIGTTOU instead of 128 + SIGTERM.
    EXPECT_TRUE(shell.run("kill %1; wait %1; echo \"killed=$?\"", "killed=143"))
        << shell.session.output();
}

TEST(JobControl, CtrlZRestoresTheTerminalAndFgBringsBackRawModeAndTheScreen) {
    JobControlShell shell;
    ASSERT_TRUE(shell.run(driver + " clear attr:12 key", awaitKey));
    ASSERT_TRUE(shell.session.waitForMode(false));
    std::size_t from = shell.session.output().size();
    shell.session.send("\x1a");
    ASSERT_TRUE(shell.session.waitFor("Stopped", from)) << shell.session.output();
    // The colours were reset for the shell before the program stopped.
    EXPECT_NE(shell.session.output().find("\x1b[0m", from), std::string::npos);

    from = shell.session.output().size();
    ASSERT_TRUE(shell.run("fg", std::string("\x1b[H\x1b[2J\x1b[91;40mawait key\r\n")))
        << shell.session.output().substr(from);
    const termios mode = shell.session.mode();
    EXPECT_EQ(mode.c_lflag & (ICANON | ECHO), 0U);
    from = shell.session.output().size();
    shell.session.send("Q");
    ASSERT_TRUE(shell.session.waitFor("key 81\r\n", from)) << shell.session.output().substr(from);
    EXPECT_EQ(shell.session.output().substr(from, 8), "key 81\r\n");
}

class TerminalSignal : public ::testing::TestWithParam<int> {};

TEST_P(TerminalSignal, RestoresModeAndColoursThenEndsByTheSignal) {
    PtySession session(driver, {"attr:12", "key"});
    ASSERT_TRUE(session.waitFor(awaitKey));
    ASSERT_TRUE(session.waitForMode(false));
    session.signal(GetParam());
    const int status = session.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam()) << status;
    EXPECT_TRUE(session.waitForMode(true, std::chrono::milliseconds(0)));
    const std::string& screen = session.output();
    EXPECT_EQ(screen.substr(screen.size() - 4), "\x1b[0m");
}

// The signal comes the moment the terminal has switched to raw mode, before the program can
// have noted the switch: raw mode is undone all the same.
TEST_P(TerminalSignal, RestoresModeWhenItComesDuringTheSwitchToRawMode) {
    PtySession session(driver, {"attr:12", "signal-at-raw:" + std::to_string(GetParam()), "key"});
    const int status = session.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam()) << status;
    EXPECT_TRUE(session.waitForMode(true, std::chrono::milliseconds(0)));
    const std::string& screen = session.output();
    EXPECT_EQ(screen.substr(screen.size() - 4), "\x1b[0m");
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminalSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

// Ctrl-S stops a terminal's output. In raw mode it is a key like any other; in line mode, where
// it keeps its meaning, a signal still ends the program instead of waiting to write the colour
// reset.
TEST(Terminal, CtrlSIsAKeyInRawModeAndBlocksNoSignal) {
    PtySession session(driver, {"attr:12", "key", "key"});
    ASSERT_TRUE(session.waitFor(awaitKey));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\x13");
    ASSERT_TRUE(session.waitFor("key 19\r\nawait key\r\n")) << session.output();
    ASSERT_TRUE(session.waitForMode(false));
    session.signal(SIGTERM);
    int status = session.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE(session.waitForMode(true, std::chrono::milliseconds(0)));
    EXPECT_EQ(session.output().substr(session.output().size() - 4), "\x1b[0m");

    PtySession stopped(driver, {"attr:12", "word"});
    ASSERT_TRUE(stopped.waitFor(awaitWord));
    stopped.send("\x13");
    ASSERT_TRUE(stopped.waitForStoppedOutput());
    stopped.signal(SIGTERM);
    status = stopped.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE(stopped.waitForMode(true, std::chrono::milliseconds(0)));
}

TEST(Terminal, CtrlCInRawModeInterruptsAndRestores) {
    PtySession session(driver, {"key"});
    ASSERT_TRUE(session.waitFor(awaitKey));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\x03");
    const int status = session.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_TRUE(session.waitForMode(true, std::chrono::milliseconds(0)));
}

TEST(Pipe, NoModesNoColoursKeysAndLinesFromTheStream) {
    const ProcessResult result = runProgram(
        driver, {"attr:12", "clear", "key", "key", "key", "word", "pause"}, "\x1b[Bz\n hello x");
    EXPECT_TRUE(result.exitedWith(0));
    EXPECT_EQ(result.out,
              "\f"
              "await key\nkey 224\n"
              "await key\nkey 80\n"
              "await key\nkey 122\n"
              "await word\nword hello\n"
              "Druecken Sie eine beliebige Taste . . . \npaused\n");
    EXPECT_EQ(result.err, "");
}

TEST(Pipe, EndOfInputIsReportedAtOnce) {
    const ProcessResult result = runProgram(driver, {"key", "pause", "word", "key"}, "");
    EXPECT_TRUE(result.exitedWith(0));
    EXPECT_EQ(result.out,
              "await key\nkey -1\n"
              "Druecken Sie eine beliebige Taste . . . \npaused\n"
              "await word\nword <end>\n"
              "await key\nkey -1\n");
}

}  // namespace
}  // namespace zifferon::testing
