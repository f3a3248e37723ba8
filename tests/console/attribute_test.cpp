#include "zifferon/console/attribute.hpp"

#include "zifferon/console/console.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace zifferon::console {
namespace {

TEST(TextAttribute, TheProgramsColoursAsAnsiSequences) {
    EXPECT_EQ(sgrSequence(0x07), "\x1b[39;49m");   // the terminal's default colours
    EXPECT_EQ(sgrSequence(0x70), "\x1b[30;47m");   // black on light grey
    EXPECT_EQ(sgrSequence(0x0C), "\x1b[91;40m");   // bright red on black
    EXPECT_EQ(sgrSequence(0xC0), "\x1b[30;101m");  // black on bright red
}

TEST(TextAttribute, EveryValueMapsBothNibbles) {
    // The sixteen console colours by their Windows number, as ANSI foreground codes:
    // black, blue, green, cyan, red, magenta, brown, light grey, then the bright ones.
    const int foregroundCode[16] = {30, 34, 32, 36, 31, 35, 33, 37, 90, 94, 92, 96, 91, 95, 93, 97};
    for (int attribute = 0; attribute < 256; ++attribute) {
        if (attribute == attributeNormal) {
            continue;  // the terminal's defaults, above
        }
        int foreground = -1, background = -1, length = 0;
        const std::string sequence = sgrSequence(static_cast<std::uint8_t>(attribute));
        ASSERT_EQ(std::sscanf(sequence.c_str(), "\x1b[%d;%dm%n", &foreground, &background, &length),
                  2);
        EXPECT_EQ(static_cast<std::size_t>(length), sequence.size());
        EXPECT_EQ(foreground, foregroundCode[attribute & 0x0F]) << attribute;
        EXPECT_EQ(background, foregroundCode[attribute >> 4] + 10) << attribute;
    }
}

}  // namespace
}  // namespace zifferon::console
