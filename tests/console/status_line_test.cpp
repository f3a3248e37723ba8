#include "zifferon/console/status_line.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace zifferon::console {
namespace {

std::vector<bool> noted;
void note(bool open) {
    noted.push_back(open);
}

TEST(StatusLine, WithEscapesEachTextErasesTheRestOfTheLine) {
    std::ostringstream terminal;
    noted.clear();
    {
        StatusLine line(terminal, StatusLine::Style::escapes, &note);
        line.show("12 von 100");
        line.show("3");
        line.hide();
        terminal << "Zeile\n";
        line.show("4");
        line.close("fertig");
        line.show("danach");
    }  // the last text is ended by a line break
    EXPECT_EQ(terminal.str(),
              "\r12 von 100\x1b[K\r3\x1b[K\r\x1b[K"
              "Zeile\n"
              "\r4\x1b[K\rfertig\x1b[K\n\rdanach\x1b[K\n");
    // Open while a text stands without its line break.
    EXPECT_EQ(noted, (std::vector<bool>{true, true, false, true, true, false, true, false}));
}

TEST(StatusLine, WithoutEscapesBlanksCoverALongerText) {
    std::ostringstream terminal;
    StatusLine line(terminal, StatusLine::Style::plain);
    line.show("12 von 100");
    line.show("3 von 9");
    line.show("4 von 10000");
    line.hide();
    line.show("ab");
    line.close("a");
    EXPECT_EQ(terminal.str(),
              "\r12 von 100"
              "\r3 von 9   \r3 von 9"
              "\r4 von 10000"
              "\r           \r"
              "\rab"
              "\ra \ra\n");
    EXPECT_EQ(terminal.str().find('\x1b'), std::string::npos);
}

// A status line that cannot be written leaves the stream as it was for the messages after it.
TEST(StatusLine, AFailedTextLeavesTheStreamUsable) {
    std::ostringstream terminal;
    terminal.setstate(std::ios::failbit);
    {
        StatusLine line(terminal, StatusLine::Style::escapes);
        line.show("x");
    }
    EXPECT_TRUE(terminal.fail());
    terminal.clear();
    struct Refusing : std::streambuf {
        int_type overflow(int_type) override { return traits_type::eof(); }
    } refusing;
    std::ostream unbuffered(&refusing);  // every write fails
    {
        StatusLine line(unbuffered, StatusLine::Style::escapes);
        line.show("x");
        EXPECT_TRUE(unbuffered.good());
    }
    EXPECT_TRUE(unbuffered.good());
}

}  // namespace
}  // namespace zifferon::console
