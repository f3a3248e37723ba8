#include "zifferon/matrix/print_error.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "zifferon/console/stream_console.hpp"

namespace zifferon {
namespace {

std::string printed(bool outputIsTerminal) {
    console::StringInput input("");
    std::ostringstream out, err;
    console::StreamConsole console(input, out, err, outputIsTerminal);
    console.setTextAttribute(console::attributeHighlight);
    out.str("");
    printError(MatrixException(MatrixError::NotSquare), console);
    EXPECT_EQ(err.str(), "");
    return out.str();
}

TEST(PrintError, WritesHeadingMessageAndAnEmptyLine) {
    EXPECT_EQ(printed(false),
              "Es ist folgender Fehler aufgetreten: \n"
              "Es liegt keine quadratische Matrix vor.\n"
              "\n");
}

TEST(PrintError, ShowsTheErrorInBrightRedAndReturnsToNormal) {
    // Bright red on black (12), then light grey on black (7), whatever was set before.
    EXPECT_EQ(printed(true),
              "\x1b[91;40m"
              "Es ist folgender Fehler aufgetreten: \n"
              "Es liegt keine quadratische Matrix vor.\n"
              "\n"
              "\x1b[39;49m");
}

}  // namespace
}  // namespace zifferon
