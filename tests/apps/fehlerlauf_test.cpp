#include <gtest/gtest.h>

#include <string>

#include "fehlerlauf.hpp"
#include "marking_console.hpp"
#include "process.hpp"

namespace zifferon {
namespace {

// The four size errors of the solver in the order it checks them.
const char* const messages[] = {
    "Die Matrix mit den absoluten Gliedern ist kein Spaltenvektor.",
    "Die Ergebnismatrix ist kein Spaltenvektor.",
    "Die Anzahl absoluter Glieder stimmt nicht mit der Zeilenanzahl des Loesungsvektors "
    "ueberein.",
    "Die Anzahl der absoluten Glieder stimmt nicht mit der Anzahl Gleichungen in der "
    "Koeffizientenmatrix ueberein.",
};

// Without a terminal: each report, then the pause prompt and the line break after the key.
std::string pipedTranscript() {
    std::string text;
    for (const char* message : messages) {
        text += std::string("Es ist folgender Fehler aufgetreten: \n") + message +
                "\n\nDruecken Sie eine beliebige Taste . . . \n";
    }
    return text;
}

TEST(Fehlerlauf, FourReportsAndPausesWithInputAtItsEnd) {
    const testing::ProcessResult result = testing::runProgram(FEHLERLAUF_PROGRAM, {}, "");
    EXPECT_EQ(result.out, pipedTranscript());
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.exitedWith(0));
}

TEST(Fehlerlauf, EachPauseTakesOneKey) {
    const testing::ProcessResult result = testing::runProgram(FEHLERLAUF_PROGRAM, {}, "abcd");
    EXPECT_EQ(result.out, pipedTranscript());
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.exitedWith(0));
}

TEST(Fehlerlauf, ReportsInRedAndThePauseInTheNormalColour) {
    testing::MarkingConsole console;
    EXPECT_EQ(fehlerlauf::run(console), 0);
    std::string expected;
    for (const char* message : messages) {
        expected += std::string("<12>Es ist folgender Fehler aufgetreten: \n") + message +
                    "\n\n<7><pause>\n";
    }
    EXPECT_EQ(console.output.str(), expected);
    EXPECT_EQ(console.errors.str(), "");
}

}  // namespace
}  // namespace zifferon
