#include "zifferon/console/stream_console.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zifferon::console {
namespace {

// A console over a script of keys and lines, with its output kept.
struct ScriptedConsole {
    explicit ScriptedConsole(std::string script, bool outputIsTerminal = false)
        : input(std::move(script)), console(input, out, err, outputIsTerminal) {}

    std::vector<int> keys(int count) {
        std::vector<int> result;
        for (int i = 0; i < count; ++i) {
            result.push_back(console.readKey());
        }
        return result;
    }

    StringInput input;
    std::ostringstream out;
    std::ostringstream err;
    StreamConsole console;
};

TEST(StreamConsoleKeys, DecodesArrowsEnterAndOtherKeys) {
    ScriptedConsole session("\x1b[A\x1bOB\r\nHp\x1b[3~q");
    EXPECT_EQ(session.keys(10), (std::vector<int>{224, 72, 224, 80, 13, 13, 72, 112, 27, 113}));
}

TEST(StreamConsoleKeys, EndOfInputIsFinal) {
    ScriptedConsole session("x");
    EXPECT_EQ(session.keys(3), (std::vector<int>{'x', endOfInput, endOfInput}));
}

TEST(StreamConsoleKeys, LoneEscapeDoesNotSwallowTheNextKey) {
    ScriptedConsole session("\x1bx\x1b");
    EXPECT_EQ(session.keys(4), (std::vector<int>{27, 'x', 27, endOfInput}));
}

TEST(StreamConsoleKeys, RestOfAPartlyReadLineIsNoKeyPress) {
    ScriptedConsole session("12 and more\n\x1b[B5\n\n");
    int value = 0;
    session.console.in() >> value;
    EXPECT_EQ(value, 12);
    EXPECT_EQ(session.keys(2), (std::vector<int>{224, 80}));
    session.console.in() >> value;
    EXPECT_EQ(value, 5);
    // The line end after 5 goes; the empty line after it is a real Enter.
    EXPECT_EQ(session.keys(2), (std::vector<int>{13, endOfInput}));
}

TEST(StreamConsoleKeys, AWholeLineReadLeavesTheNextKeyAlone) {
    ScriptedConsole session("\rfirst line\nx");
    EXPECT_EQ(session.console.readKey(), 13);
    std::string line;
    std::getline(session.console.in(), line);
    EXPECT_EQ(line, "first line");
    EXPECT_EQ(session.console.readKey(), 'x');
}

TEST(StreamConsoleKeys, ValuesMayFollowKeysOnTheSameLine) {
    ScriptedConsole session("\r3 4\n");
    EXPECT_EQ(session.console.readKey(), 13);
    int a = 0, b = 0;
    session.console.in() >> a >> b;
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 4);
}

TEST(StreamConsolePause, WaitsForOneWholeKey) {
    ScriptedConsole session("\x1b[Ax");
    session.console.pause();
    EXPECT_EQ(session.out.str(), "Druecken Sie eine beliebige Taste . . . \n");
    EXPECT_EQ(session.console.readKey(), 'x');
}

TEST(StreamConsolePause, ReturnsAtEndOfInput) {
    ScriptedConsole session("");
    session.console.pause();
    session.console.pause();
    EXPECT_EQ(session.out.str(),
              "Druecken Sie eine beliebige Taste . . . \n"
              "Druecken Sie eine beliebige Taste . . . \n");
}

TEST(StreamConsoleScreen, ColoursAndClearingOnATerminal) {
    ScriptedConsole session("", true);
    session.console.clearScreen();
    session.console.setTextAttribute(0x70);
    session.console.out() << "text";
    session.console.setTextAttribute(7);
    EXPECT_EQ(session.out.str(), "\x1b[H\x1b[2J\x1b[30;47mtext\x1b[39;49m");
    EXPECT_TRUE(session.console.coloursWritten());
}

TEST(StreamConsoleScreen, NoColoursAndAFormFeedWhenRedirected) {
    ScriptedConsole session("", false);
    session.console.clearScreen();
    session.console.setTextAttribute(0x70);
    session.console.out() << "text";
    session.console.setTextAttribute(7);
    EXPECT_EQ(session.out.str(), "\ftext");
    EXPECT_FALSE(session.console.coloursWritten());
}

TEST(StreamConsoleScreen, ErrorTextFollowsEverythingWrittenBefore) {
    // The error stream is tied to the output, so output written before it is flushed first.
    std::stringbuf shared;
    std::ostream out(&shared), err(&shared);
    StringInput input("");
    StreamConsole console(input, out, err, false);
    console.out() << "before ";
    console.err() << "error";
    EXPECT_EQ(shared.str(), "before error");
}

}  // namespace
}  // namespace zifferon::console
