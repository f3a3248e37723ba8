#include "zifferon/console/key_decoder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zifferon/console/console.hpp"

namespace zifferon::console {
namespace {

struct Expected {
    std::vector<int> codes;
    std::size_t length;
};

void expectKey(const std::string& bytes, bool moreMayFollow, const Expected& expected) {
    const DecodedKey key = decodeKey(bytes, moreMayFollow);
    ASSERT_TRUE(key.complete) << bytes;
    EXPECT_EQ(std::vector<int>(key.codes, key.codes + key.codeCount), expected.codes) << bytes;
    EXPECT_EQ(key.length, expected.length) << bytes;
}

TEST(KeyDecoder, OrdinaryBytesAreTheirOwnCodes) {
    expectKey("\r", true, {{keyEnter}, 1});
    expectKey("\n", true, {{keyEnter}, 1});
    expectKey("H", true, {{72}, 1});
    expectKey("Px", true, {{80}, 1});
    expectKey("h", true, {{104}, 1});
    expectKey("\xe4", true, {{0xe4}, 1});
    expectKey(std::string(1, '\0'), true, {{0}, 1});
}

TEST(KeyDecoder, ArrowsInNormalAndApplicationCursorMode) {
    expectKey("\x1b[A", true, {{keyArrowPrefix, keyUp}, 3});
    expectKey("\x1b[B", true, {{keyArrowPrefix, keyDown}, 3});
    expectKey("\x1bOA", true, {{keyArrowPrefix, keyUp}, 3});
    expectKey("\x1bOBrest", true, {{keyArrowPrefix, keyDown}, 3});
}

TEST(KeyDecoder, OtherSequencesAreOneEscapeKeyConsumedWhole) {
    expectKey("\x1b[C", true, {{keyEscape}, 3});
    expectKey("\x1b[3~", true, {{keyEscape}, 4});
    expectKey("\x1b[1;5A", true, {{keyEscape}, 6});
    expectKey("\x1b[15;2~x", true, {{keyEscape}, 7});
    expectKey("\x1bOP", true, {{keyEscape}, 3});
}

TEST(KeyDecoder, IncompleteSequencesWaitForMoreUnlessNothingFollows) {
    for (const std::string prefix : {"\x1b", "\x1b[", "\x1b[1;", "\x1bO"}) {
        EXPECT_FALSE(decodeKey(prefix, true).complete) << prefix;
        expectKey(prefix, false, {{keyEscape}, prefix.size()});
    }
}

TEST(KeyDecoder, EscapeBeforeAnOrdinaryByteIsALoneEscape) {
    expectKey("\x1bx", true, {{keyEscape}, 1});
    expectKey("\x1b\x1b[A", true, {{keyEscape}, 1});
    // A control byte inside a sequence ends it; the byte is the next key.
    expectKey("\x1b[1\r", true, {{keyEscape}, 3});
}

TEST(KeyDecoder, EndlessParametersAreCutOff) {
    const std::string garbage = "\x1b[" + std::string(100, '1');
    const DecodedKey key = decodeKey(garbage, true);
    ASSERT_TRUE(key.complete);
    EXPECT_EQ(key.codes[0], keyEscape);
    EXPECT_LE(key.length, 32U);
}

}  // namespace
}  // namespace zifferon::console
