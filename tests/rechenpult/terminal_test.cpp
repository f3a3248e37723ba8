// The calculator on a terminal: the highlight and error colours as the terminal receives them,
// keys as a terminal sends them, line prompts in line mode, and the terminal restored on every
// way out. The colour checks run in-process on a console that writes colours; the rest drives
// the real program on a pseudo-terminal and through pipes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "calculator.hpp"
#include "process.hpp"
#include "pty_session.hpp"
#include "screens.hpp"
#include "zifferon/console/stream_console.hpp"

namespace zifferon::testing {
namespace {

const std::string program = RECHENPULT;

const std::string clear = "\x1b[H\x1b[2J";
const std::string normal = "\x1b[39;49m";     // 7
const std::string highlight = "\x1b[30;47m";  // 0x70
const std::string red = "\x1b[91;40m";        // 12
const std::string alarm = "\x1b[30;101m";     // 0xC0

// The entry lines of a menu on a terminal, entry `chosen` (from 1) highlighted, then normal.
std::string entries(const std::vector<std::string>& texts, int chosen) {
    std::string result;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        result += (static_cast<int>(k) + 1 == chosen ? highlight : normal) + texts[k] + "\n";
    }
    return result + normal;
}

const std::vector<std::string> typeEntries = {
    "Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38",
    "Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308", "komplexe Zahlen", "Bruchzahl",
    "Programm beenden"};
const std::vector<std::string> mainEntries = {"Eingabe",          "Ausgabe",
                                              "Arithmetic",       "Matrix-Operationen",
                                              "Gleichungsloeser", "Datentyp der Matrizen aendern",
                                              "Programm beenden"};
const std::vector<std::string> outputEntries = {"Matrix 1 ausgeben", "Matrix 2 ausgeben",
                                                "Zurueck zum Hauptmenue"};

std::string typeScreen(int chosen) {
    return clear +
           "Zifferon   Version 1.8.6\n\nBitte waehlen Sie den Datentyp der "
           "Matrixelemente:\n\n" +
           entries(typeEntries, chosen);
}

std::string titledScreen(const std::string& title, const std::vector<std::string>& texts,
                         int chosen) {
    return clear + "Zifferon   Version 1.8.6\n\n\n" + title + "\n\n" + entries(texts, chosen);
}

struct Coloured {
    std::string out;
    std::string err;
};

Coloured colouredSession(const std::string& script) {
    console::StringInput input(script);
    std::ostringstream out, err;
    console::StreamConsole console(input, out, err, true);
    EXPECT_EQ(rechenpult::run(console), 0);
    return {out.str(), err.str()};
}

TEST(CalculatorColours, TheHighlightFollowsTheKeys) {
    EXPECT_EQ(colouredSession("P\x1b[BH\x1b[AH").out,
              typeScreen(1) + typeScreen(2) + typeScreen(2) + typeScreen(3) + typeScreen(2) +
                  typeScreen(2) + typeScreen(1) + typeScreen(5));
}

TEST(CalculatorColours, ASubMenuKeepsTheChosenEntryAndTheMainMenuStartsAtTheTop) {
    const std::string out = colouredSession("\rP\rP\r ").out;
    const std::string pauseThenMenu = "Druecken Sie eine beliebige Taste . . . \n" +
                                      titledScreen("Ausgabe - Menue: ", outputEntries, 2);
    EXPECT_NE(out.find(pauseThenMenu), std::string::npos);

    const std::string back = colouredSession("\rP\rPP\r").out;
    const std::string outputThenMain = titledScreen("Ausgabe - Menue: ", outputEntries, 3) +
                                       titledScreen("Hauptmenue: ", mainEntries, 1);
    EXPECT_EQ(back.substr(back.size() - outputThenMain.size()), outputThenMain);
}

TEST(CalculatorColours, LibraryErrorsInBrightRedThenNormal) {
    // Inverse of the initial zero matrix.
    const std::string out = colouredSession("\rPPP\rPPPP\r ").out;
    const std::string shown = clear + "Zifferon   Version 1.8.6\n\n" + red +
                              "Es ist folgender Fehler aufgetreten: \n"
                              "Zu dieser Matrix gibt es keine Inverse (Determinante = 0).\n\n" +
                              normal + "Druecken Sie eine beliebige Taste . . . \n" + clear;
    EXPECT_NE(out.find(shown), std::string::npos);
}

TEST(CalculatorColours, OtherErrorsOnBrightRedThenTheHighlightUntilTheEntries) {
    // A fraction matrix 2 x 2 whose determinant overflows.
    const Coloured session = colouredSession(
        "PPP\r\r\r2\n2\nPP\r4611686018427387904/1 1/1 1/1 4611686018427387904/1\nPP\rPPP\r\r ");
    const std::string shown = clear + "Zifferon   Version 1.8.6\n\n" + alarm + highlight +
                              "Druecken Sie eine beliebige Taste . . . \n" + clear +
                              "Zifferon   Version 1.8.6\n\n\nMatrix - Operationen - Menue: \n\n" +
                              highlight + "Determinante Matrix 1\n";
    EXPECT_NE(session.out.find(shown), std::string::npos);
    EXPECT_EQ(session.err,
              "\nEs ist ein Fehler aufgetreten: \n"
              "mathematischer Fehler -> Ueberlauf (Bruchzahl)\n\n");
}

// Waits until the screen shows `text` for the n-th time.
bool waitForCount(PtySession& session, const std::string& text, int count) {
    std::size_t from = 0;
    for (int i = 0; i < count; ++i) {
        if (!session.waitFor(text, from)) {
            return false;
        }
        from = session.output().find(text, from) + text.size();
    }
    return true;
}

TEST(CalculatorTerminal, ArrowKeysHAndPAndALoneEscapeMoveOrRedraw) {
    PtySession session(program);
    ASSERT_TRUE(session.waitFor(highlight + typeEntries[0]));
    ASSERT_TRUE(session.waitForMode(false));
    // Each key is typed once the program waits for it in raw mode, as keys typed earlier are
    // echoed by the terminal.
    session.send("\x1b[B");
    ASSERT_TRUE(session.waitFor(highlight + typeEntries[1]));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("P");
    ASSERT_TRUE(session.waitFor(highlight + typeEntries[2]));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\x1b");  // redraws once the sequence has timed out
    ASSERT_TRUE(waitForCount(session, "Programm beenden", 5));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("H\x1bOA");
    ASSERT_TRUE(waitForCount(session, highlight + typeEntries[0], 2)) << session.output();
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\x1b[A\r");  // up from the first entry: the last, "Programm beenden"
    const int status = session.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(session.waitForMode(true, std::chrono::milliseconds(0)));
    const std::string& screen = session.output();
    EXPECT_EQ(screen.substr(screen.size() - 4), "\x1b[0m");
}

TEST(CalculatorTerminal, LinePromptsEchoInLineMode) {
    PtySession session(program);
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\r");
    ASSERT_TRUE(session.waitFor("Hauptmenue: "));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\r");
    ASSERT_TRUE(session.waitFor("Eingabe - Menue: "));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("\r");
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = "));
    ASSERT_TRUE(session.waitForMode(true));
    session.send("2\n");
    ASSERT_TRUE(session.waitFor("Anzahl der Zeilen = 2\r\nAnzahl der Spalten = "));
    session.send("5\n");
    ASSERT_TRUE(session.waitFor("Anzahl der Spalten = 5\r\n"));
    ASSERT_TRUE(waitForCount(session, "Eingabe - Menue: ", 2));
    ASSERT_TRUE(session.waitForMode(false));
    session.signal(SIGTERM);
    const int status = session.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_TRUE(session.waitForMode(true, std::chrono::milliseconds(0)));
    const std::string& screen = session.output();
    EXPECT_EQ(screen.substr(screen.size() - 4), "\x1b[0m");
}

// A signal while a key is awaited (raw mode) or while a line is typed (line mode): the program
// ends as the signal would, and the terminal has its mode and colours back.
struct SignalCase {
    int signal;
    bool atLinePrompt;
};

std::string describe(const SignalCase& signalCase) {
    return std::string(signalCase.signal == SIGTERM ? "Term" : "Int") +
           (signalCase.atLinePrompt ? "AtLinePrompt" : "InMenu");
}

void PrintTo(const SignalCase& signalCase, std::ostream* out) {
    *out << describe(signalCase);
}

class CalculatorSignal : public ::testing::TestWithParam<SignalCase> {};

TEST_P(CalculatorSignal, RestoresTheTerminal) {
    PtySession session(program);
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    ASSERT_TRUE(session.waitForMode(false));
    if (GetParam().atLinePrompt) {
        session.send("\r");
        ASSERT_TRUE(session.waitFor("Hauptmenue: "));
        ASSERT_TRUE(session.waitForMode(false));
        session.send("PPPP\r");
        ASSERT_TRUE(session.waitFor("Anzahl der Koeffizienten: "));
        ASSERT_TRUE(session.waitForMode(true));
        const std::size_t typed = session.output().size();
        session.send("1");  // half a line typed
        // The terminal echoes it on its own time; the signal must come after, or the echo could
        // follow the program's last output.
        ASSERT_TRUE(session.waitFor("1", typed));
    }
    session.signal(GetParam().signal);
    const int status = session.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam().signal) << status;
    EXPECT_TRUE(session.waitForMode(true, std::chrono::milliseconds(0)));
    const std::string& screen = session.output();
    EXPECT_EQ(screen.substr(screen.size() - 4), "\x1b[0m");
}

INSTANTIATE_TEST_SUITE_P(MenuAndLinePrompt, CalculatorSignal,
                         ::testing::Values(SignalCase{SIGTERM, false}, SignalCase{SIGINT, false},
                                           SignalCase{SIGTERM, true}, SignalCase{SIGINT, true}),
                         [](const ::testing::TestParamInfo<SignalCase>& info) {
                             return describe(info.param);
                         });

// A terminal that is to show no colours: the highlighted entry is marked "> ", the others are
// indented to match, and where escape sequences are allowed (NO_COLOR) the highlighted entry is
// in inverse video as well.
struct Uncoloured {
    std::string setting;
    std::string clear;
    std::string inverse;     // on
    std::string inverseOff;  // off
    std::string atExit;
};

void PrintTo(const Uncoloured& terminal, std::ostream* out) {
    *out << terminal.setting;
}

class CalculatorWithoutColours : public ::testing::TestWithParam<Uncoloured> {};

TEST_P(CalculatorWithoutColours, MarkTheHighlightedEntry) {
    const Uncoloured& terminal = GetParam();
    // The type selection as the terminal shows it, entry `chosen` highlighted.
    const auto screen = [&terminal](int chosen) {
        std::string result = terminal.clear +
                             "Zifferon   Version 1.8.6\r\n\r\nBitte waehlen Sie den Datentyp der "
                             "Matrixelemente:\r\n\r\n";
        for (int k = 1; k <= 5; ++k) {
            result += k == chosen ? "> " + terminal.inverse : "  ";
            result += (k == chosen + 1 ? terminal.inverseOff : "") + typeEntries[k - 1] + "\r\n";
        }
        return chosen == 5 ? result + terminal.inverseOff : result;
    };
    PtySession session(program, {}, {terminal.setting});
    // Down, Up, Up (to the last entry), each once the screen before it is complete, and Enter.
    int screens = 1;
    for (const char* key : {"P", "H", "H", "\r"}) {
        ASSERT_TRUE(waitForCount(session, "Programm beenden\r\n", screens++)) << session.output();
        ASSERT_TRUE(session.waitForMode(false));
        session.send(key);
    }
    const int status = session.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(session.output(), screen(1) + screen(2) + screen(1) + screen(5) + terminal.atExit);
}

INSTANTIATE_TEST_SUITE_P(Settings, CalculatorWithoutColours,
                         ::testing::Values(Uncoloured{"NO_COLOR=1", clear, "\x1b[7m", "\x1b[27m",
                                                      "\x1b[0m"},
                                           Uncoloured{"TERM=dumb", "\f", "", "", ""}),
                         [](const ::testing::TestParamInfo<Uncoloured>& info) {
                             return info.param.setting == "TERM=dumb" ? std::string("DumbTerminal")
                                                                      : std::string("NoColor");
                         });

TEST(CalculatorTerminal, EndOfInputAtALinePromptEndsTheProgram) {
    PtySession session(program);
    ASSERT_TRUE(session.waitFor("Programm beenden"));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("PPPP\x1b[A\r");  // "Bruchzahl"
    ASSERT_TRUE(session.waitFor("Hauptmenue: "));
    ASSERT_TRUE(session.waitForMode(false));
    session.send("PPPP\r");  // "Gleichungsloeser"
    ASSERT_TRUE(session.waitFor("Anzahl der Koeffizienten: "));
    ASSERT_TRUE(session.waitForMode(true));
    session.send("\x04");
    const int status = session.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(session.waitForMode(true, std::chrono::milliseconds(0)));
}

TEST(CalculatorPipe, TheProgramRunsAScriptFromStandardInput) {
    namespace s = screens;
    // float, "Gleichungsloeser", x1 + 2 x2 = 5, 3 x1 + 4 x2 = 6, the pause, "Programm beenden".
    const ProcessResult result = runProgram(program, {}, "\rPPPP\r2\n1 2 3 4\n5 6\n H\r");
    EXPECT_TRUE(result.exitedWith(0));
    EXPECT_EQ(result.err, "");
    std::string expected = s::typeSelection.at(1);
    for (int k = 1; k <= 5; ++k) {
        expected += s::mainMenu.at(k);
    }
    expected += s::solverInput(2) + s::solverResult("x1 = -4\nx2 = 4.5\n") + s::mainMenu.at(1) +
                s::mainMenu.at(7);
    EXPECT_EQ(result.out, expected);
}

}  // namespace
}  // namespace zifferon::testing
