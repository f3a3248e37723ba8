#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "marking_console.hpp"
#include "probelauf.hpp"
#include "process.hpp"

namespace zifferon {
namespace {

// The program under test is this build's, unless ZIFFERON_PROBELAUF names another build of it;
// ZIFFERON_LAUNCHER (an absolute path) then runs it, as Wine runs the Windows program.
testing::ProcessResult probe(const std::string& script) {
    const char* const other = std::getenv("ZIFFERON_PROBELAUF");
    const char* const launcher = std::getenv("ZIFFERON_LAUNCHER");
    const std::string program = other != nullptr ? other : PROBELAUF_PROGRAM;
    if (launcher != nullptr && *launcher != '\0') {
        return testing::runProgram(launcher, {program}, script);
    }
    return testing::runProgram(program, {}, script);
}

// Matrix rows as the output operator writes them; entries given blank-separated. Every entry is
// followed by a tab, every row by a line break.
std::string rows(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        std::istringstream entries{std::string(line)};
        for (std::string entry; entries >> entry;) {
            text += entry + '\t';
        }
        text += '\n';
    }
    return text;
}

std::string opening(int number) {
    return "********************   Beginn Testfall " + std::to_string(number) +
           "   ********************\n\n";
}

// One test case's report: A and b before and after, with `result` between "Resultat: " and
// "Nachher: ".
std::string report(int number, const std::string& name, const std::string& type,
                   const std::string& a, const std::string& b, const std::string& result) {
    const std::string blocks =
        "Koeffizientenmatrix = \n" + a + "\n\nabsolute Glieder = \n" + b + "\n\n";
    return opening(number) + "Test: " + name + "\nType: " + type + "\n\nVorher: \n\n" + blocks +
           "Resultat: \n\n" + result + "Nachher: \n\n" + blocks +
           "********************   Ende Testfall " + std::to_string(number) +
           "   ********************\n\n";
}

std::string solution(std::initializer_list<std::string_view> entries) {
    return rows(entries) + "\n";
}
std::string errorReport(const std::string& message) {
    return "Es ist folgender Fehler aufgetreten: \n" + message + "\n\n";
}
const std::string noSolution = "Das Gleichungssystem hat keine Loesung.\n";
const std::string infinite = "Das Gleichungssystem hat unendlich viele Loesungen.\n";
const std::string wrongType = "Falsche Datentypangabe.\n\n";
const std::string error400 = "Die Matrix mit den absoluten Gliedern ist kein Spaltenvektor.";
const std::string error403 =
    "Die Anzahl der absoluten Glieder stimmt nicht mit der Anzahl Gleichungen in der "
    "Koeffizientenmatrix ueberein.";
const std::string error103 =
    "Zeilen- und/oder Spaltenangabe lag ausserhalb des Definitionsbereiches der Matrix.";

void expectRun(const std::string& script, const std::string& out, const std::string& err = "",
               int status = 0) {
    const testing::ProcessResult result = probe(script);
    EXPECT_EQ(result.out, out);
    EXPECT_EQ(result.err, err);
    EXPECT_TRUE(result.exitedWith(status)) << "status " << result.status;
}

TEST(Probelauf, NoCasesNoOutput) {
    expectRun("0\n", "");
    expectRun("0 tokens that are never read 1/0", "");
}

TEST(Probelauf, TheThreeVerdictsOverTheFourTypes) {
    expectRun(
        "9\n"
        "fu float 2 2 0 2 3 1 2 1 4 5\n"
        "fi float 2 2 1 2 2 4 2 1 3 6\n"
        "dn double 2 2 1 2 2 4 2 1 3 7\n"
        "du double 3 3 2 1 0 1 3 1 0 1 4 3 1 0 -4.5 0\n"
        "zi complex 2 2 (1,1) (2,2) (2,2) (4,4) 2 1 (1,0) (2,0)\n"
        "zu complex 2 2 (1,1) 0 0 (2,0) 2 1 2 (4,2)\n"
        "qu bruch 2 2 1/2 1/3 1/4 1/5 2 1 1/1 2/1\n"
        "qn bruch 2 2 1/1 2/1 2/1 4/1 2 1 3/1 7/1\n"
        "qi bruch 1 1 0/3 1 1 0/2\n",
        report(1, "fu", "float", rows({"0 2", "3 1"}), rows({"4", "5"}), solution({"1", "2"})) +
            report(2, "fi", "float", rows({"1 2", "2 4"}), rows({"3", "6"}), infinite) +
            report(3, "dn", "double", rows({"1 2", "2 4"}), rows({"3", "7"}), noSolution) +
            report(4, "du", "double", rows({"2 1 0", "1 3 1", "0 1 4"}), rows({"0", "-4.5", "0"}),
                   solution({"1", "-2", "0.5"})) +
            report(5, "zi", "complex", rows({"(1,1) (2,2)", "(2,2) (4,4)"}),
                   rows({"(1,0)", "(2,0)"}), infinite) +
            report(6, "zu", "complex", rows({"(1,1) (0,0)", "(0,0) (2,0)"}),
                   rows({"(2,0)", "(4,2)"}), solution({"(1,-1)", "(2,1)"})) +
            report(7, "qu", "bruch", rows({"1/2 1/3", "1/4 1/5"}), rows({"1", "2"}),
                   solution({"-28", "45"})) +
            report(8, "qn", "bruch", rows({"1 2", "2 4"}), rows({"3", "7"}), noSolution) +
            report(9, "qi", "bruch", rows({"0"}), rows({"0"}), infinite));
}

TEST(Probelauf, ZeroPivotsExchangeRowsWithTheFirstUsableRowBelow) {
    // Column 1 is zero down to row 3, so rows 1 and 3 change places; a fraction 0/7 is zero.
    expectRun(
        "2\n"
        "drei double 3 3 0 1 0 0 0 1 2 0 0 3 1 1 2 4\n"
        "null bruch 2 2 0/7 1/1 1/1 0/1 2 1 3/1 4/1\n",
        report(1, "drei", "double", rows({"0 1 0", "0 0 1", "2 0 0"}), rows({"1", "2", "4"}),
               solution({"2", "1", "2"})) +
            report(2, "null", "bruch", rows({"0 1", "1 0"}), rows({"3", "4"}),
                   solution({"4", "3"})));
}

TEST(Probelauf, ArgumentErrorsInTheSolversOrder) {
    // b with two columns fails first even when its row count is wrong as well; x always has
    // b's size here, so errors 401 and 402 cannot occur.
    expectRun(
        "4\n"
        "zwei double 2 2 1 0 0 1 2 2 1 2 3 4\n"
        "beide float 3 3 1 0 0 0 1 0 0 0 1 2 2 1 2 3 4\n"
        "kurz bruch 2 2 1/1 0/1 0/1 1/1 3 1 1/1 2/1 3/1\n"
        "zeile complex 1 1 (1,0) 1 2 (1,0) (2,0)\n",
        report(1, "zwei", "double", rows({"1 0", "0 1"}), rows({"1 2", "3 4"}),
               errorReport(error400)) +
            report(2, "beide", "float", rows({"1 0 0", "0 1 0", "0 0 1"}), rows({"1 2", "3 4"}),
                   errorReport(error400)) +
            report(3, "kurz", "bruch", rows({"1 0", "0 1"}), rows({"1", "2", "3"}),
                   errorReport(error403)) +
            report(4, "zeile", "complex", rows({"(1,0)"}), rows({"(1,0) (2,0)"}),
                   errorReport(error400)));
}

TEST(Probelauf, NonSquareSystems) {
    // 2 x 3: the elimination updates columns 1 and 2 only, so the diagonal product is 0 and the
    // row (0 0 6) is no contradiction. A regular 2 x 3 system divides by the zero W(2,3): in
    // double that goes on to error 103, a fraction raises its division error on stderr.
    // 3 x 2 with a zero first column: nothing is eliminated and the product is 0 at W(2,2), so
    // the rows decide; with a usable first column the update reaches column 3: error 103.
    expectRun(
        "6\n"
        "breit double 2 3 1 2 3 2 4 6 2 1 1 2\n"
        "breitd double 2 3 1 0 0 0 1 0 2 1 1 2\n"
        "breitq bruch 2 3 1/1 0/1 0/1 0/1 1/1 0/1 2 1 1/1 2/1\n"
        "hochi float 3 2 0 1 0 0 0 0 3 1 1 0 0\n"
        "hochn float 3 2 0 1 0 0 0 0 3 1 1 2 0\n"
        "hoch float 3 2 1 0 0 1 0 0 3 1 1 1 1\n",
        report(1, "breit", "double", rows({"1 2 3", "2 4 6"}), rows({"1", "2"}), infinite) +
            report(2, "breitd", "double", rows({"1 0 0", "0 1 0"}), rows({"1", "2"}),
                   errorReport(error103)) +
            report(3, "breitq", "bruch", rows({"1 0 0", "0 1 0"}), rows({"1", "2"}), "") +
            report(4, "hochi", "float", rows({"0 1", "0 0", "0 0"}), rows({"1", "0", "0"}),
                   infinite) +
            report(5, "hochn", "float", rows({"0 1", "0 0", "0 0"}), rows({"1", "2", "0"}),
                   noSolution) +
            report(6, "hoch", "float", rows({"1 0", "0 1", "0 0"}), rows({"1", "1", "1"}),
                   errorReport(error103)),
        "mathematischer Fehler -> Division durch 0 (Bruchzahl)\n");
}

TEST(Probelauf, UnknownTypeWordsConsumeOnlyTheirTwoWords) {
    expectRun("4\na Float\nb BRUCH\nc komplex\nd double 1 1 4 1 1 2\n",
              wrongType + wrongType + wrongType +
                  report(4, "d", "double", rows({"4"}), rows({"2"}), solution({"0.5"})));
    // "1" and "1" become the second case's name and type word; the rest is never read.
    expectRun("2\na Double 1 1 5 1 1 10\n", wrongType + wrongType);
}

TEST(Probelauf, FractionsArePrintedAsTyped) {
    // A = (1/2 1/3; 1/2 1/2), b = (2, 0): det 1/12, x = (12, -12).
    expectRun("1\nwie bruch 2 2 2/4 1 / 3 -3/-6 +4/8 2 1 6/3 0/5\n",
              report(1, "wie", "bruch", rows({"2/4 1/3", "-3/-6 4/8"}), rows({"6/3", "0"}),
                     solution({"12", "-12"})));
}

// The values a C library writes in its own way are written alike everywhere (this test also
// runs the Windows program under Wine): "inf", "-0", the smallest subnormal, and "-nan" for
// the NaN that x86-64 gives for inf / inf, sign bit set.
TEST(Probelauf, InfinitiesNansSignedZerosAndSubnormalsAreWrittenAlikeEverywhere) {
    // Factor 0 / 4.9e-324 = 0 leaves r2 = -0 - 0 * 1e300 = -0, so x2 = -0 / 1e300 = -0 and
    // x1 = (1e300 - 0 * -0) / 4.9e-324 = inf.
    // Factor 1e300 / 1e-300 = inf: row 2 becomes (-inf, 1e300 - 1e300 inf = -inf) with
    // r2 = -0 - inf 1e300 = -inf; the product of the diagonal is -inf, not zero, so
    // x2 = -inf / -inf = -nan, and x1 = (1e300 - 1e300 * -nan) / 1e-300 keeps that NaN.
    expectRun(
        "2\n"
        "klein double 2 2 4.94066e-324 0 0 1e300 2 1 1e300 -0\n"
        "gross double 2 2 1e-300 1e300 1e300 1e300 2 1 1e300 -0\n",
        report(1, "klein", "double", rows({"4.94066e-324 0", "0 1e+300"}), rows({"1e+300", "-0"}),
               solution({"inf", "-0"})) +
            report(2, "gross", "double", rows({"1e-300 1e+300", "1e+300 1e+300"}),
                   rows({"1e+300", "-0"}), solution({"-nan", "-nan"})));
}

TEST(Probelauf, FractionOverflowInSolveGoesToStandardErrorAndTheRunGoesOn) {
    expectRun(
        "2\n"
        "gross bruch 1 1 1/9223372036854775807 1 1 9223372036854775807/1\n"
        "klein bruch 1 1 2/1 1 1 1/1\n",
        report(1, "gross", "bruch", rows({"1/9223372036854775807"}), rows({"9223372036854775807"}),
               "") +
            report(2, "klein", "bruch", rows({"2"}), rows({"1"}), solution({"1/2"})),
        "mathematischer Fehler -> Ueberlauf (Bruchzahl)\n");
}

TEST(Probelauf, ErrorReportsAreColouredOnATerminal) {
    testing::MarkingConsole console("1 a double 1 1 1 1 2 1 2\n");
    EXPECT_EQ(probelauf::run(console), 0);
    EXPECT_NE(console.output.str().find("Resultat: \n\n<12>" + errorReport(error400) +
                                        "<7>Nachher: \n\n"),
              std::string::npos)
        << console.output.str();
}

// Words from the script are shown on a terminal, not acted on (an OSC sequence would set the
// window title); a file gets them byte for byte. Quoted in a message, a word is also cut short.
TEST(Probelauf, ControlCharactersInWordsReachATerminalVisibly) {
    struct TerminalConsole : testing::MarkingConsole {
        using MarkingConsole::MarkingConsole;
        bool outputIsTerminal() const override { return true; }
    };
    const std::string script =
        "1 t\x1b]0;owned\x07\x7f\x9b"
        "2J double 1 1 2 1 1 4\n";
    TerminalConsole terminal(script);
    EXPECT_EQ(probelauf::run(terminal), 0);
    EXPECT_NE(terminal.output.str().find("Test: t^[]0;owned^G^?M-^[2J\nType: double\n"),
              std::string::npos)
        << terminal.output.str();
    testing::MarkingConsole file(script);
    EXPECT_EQ(probelauf::run(file), 0);
    EXPECT_NE(file.output.str().find("Test: t\x1b]0;owned\x07\x7f\x9b"
                                     "2J\nType: double\n"),
              std::string::npos);

    const std::string longWord(4000, 'w');
    testing::MarkingConsole flooded("1 " + longWord + "\x1b double " + longWord + " 1\n");
    EXPECT_EQ(probelauf::run(flooded), 1);
    const std::string cut(40, 'w');
    EXPECT_EQ(flooded.errors.str(),
              "Fehler im Testskript bei Testfall 1 (" + cut +
                  "...): Die Zeilenanzahl der Koeffizientenmatrix muss eine ganze Zahl von 1 bis "
                  "4294967295 sein, gelesen wurde \"" +
                  cut + "...\".\n");
}

// As a Windows editor saves a UTF-8 file.
TEST(Probelauf, AByteOrderMarkAtTheStartIsSkipped) {
    expectRun(
        "\xEF\xBB\xBF"
        "1\nbom double 1 1 2 1 1 4\n",
        report(1, "bom", "double", rows({"2"}), rows({"4"}), solution({"2"})));
}

// A word may be up to 4096 bytes long; a longer one ends the run, so that a runaway word of a
// few hundred megabytes cannot take the memory of the case.
TEST(Probelauf, WordsLongerThan4096BytesEndTheRun) {
    const auto word = [](const std::string& start, std::size_t length, char fill) {
        return start + std::string(length - start.size(), fill);
    };
    const std::string name = word("n", 4096, 'n');
    expectRun(
        "1 " + name + " double 1 1 " + word("1.", 4096, '0') + " " + word("0", 4095, '0') + "1 1 2",
        report(1, name, "double", rows({"1"}), rows({"2"}), solution({"2"})));

    const std::string limit = " ist laenger als 4096 Zeichen.\n";
    const std::string case1 = "Fehler im Testskript bei Testfall 1 (a): ";
    expectRun(word("0", 4097, '0'), "", "Fehler im Testskript: Die Anzahl der Testfaelle" + limit,
              1);
    expectRun("1 " + word("n", 4097, 'n'), "",
              "Fehler im Testskript bei Testfall 1: Der Name" + limit, 1);
    expectRun("1 a " + word("d", 4097, 'd'), "", case1 + "Die Typangabe" + limit, 1);
    expectRun("1 a double " + word("0", 4097, '0') + " 1", opening(1),
              case1 + "Die Zeilenanzahl der Koeffizientenmatrix" + limit, 1);
    expectRun("1 a double 1 1 " + word("1.", 4097, '0') + " 1 1 2", opening(1),
              case1 + "Das Element (1,1) der Koeffizientenmatrix" + limit, 1);
}

struct ReadError {
    const char* script;
    std::string out;
    std::string err;
};

// Whatever cannot be read ends the run at once: one message naming the case, status 1.
TEST(Probelauf, ScriptsThatCannotBeReadEndTheRunWithOneMessage) {
    const std::string count =
        "Fehler im Testskript: Die Anzahl der Testfaelle muss eine ganze "
        "Zahl von 0 bis 4294967295 sein, gelesen wurde ";
    const std::string sizes = " muss eine ganze Zahl von 1 bis 4294967295 sein, gelesen wurde ";
    const std::string case1 = "Fehler im Testskript bei Testfall 1 (a): ";
    const ReadError cases[] = {
        {"", "", "Fehler im Testskript: Das Skript endet vor der Anzahl der Testfaelle.\n"},
        {"zwei\n", "", count + "\"zwei\".\n"},
        {"-1\n", "", count + "\"-1\".\n"},
        {"4294967296\n", "", count + "\"4294967296\".\n"},
        {"2x 1 1\n", "", count + "\"2x\".\n"},
        // A byte-order mark counts only at the very start, and only whole.
        {" \xEF\xBB\xBF"
         "1\n",
         "",
         count + "\"\xEF\xBB\xBF"
                 "1\".\n"},
        {"\xEF\xBB"
         "1\n",
         "",
         count + "\"\xEF\xBB"
                 "1\".\n"},
        {"2\neins double 1 1 2 1 1 4\n",
         report(1, "eins", "double", rows({"2"}), rows({"4"}), solution({"2"})),
         "Fehler im Testskript bei Testfall 2: Das Skript endet vor dem Namen; angekuendigt "
         "sind 2 Testfaelle.\n"},
        {"1 a", "", case1 + "Das Skript endet vor der Typangabe.\n"},
        {"1 a double", opening(1),
         case1 + "Das Skript endet vor der Zeilenanzahl der Koeffizientenmatrix.\n"},
        {"1 a double 0 2 1 1", opening(1),
         case1 + "Die Zeilenanzahl der Koeffizientenmatrix" + sizes + "\"0\".\n"},
        {"1 a float 2 x", opening(1),
         case1 + "Die Spaltenanzahl der Koeffizientenmatrix" + sizes + "\"x\".\n"},
        {"1 a double 1 1 5 1 0 1", opening(1),
         case1 + "Die Spaltenanzahl der absoluten Glieder" + sizes + "\"0\".\n"},
        {"1 a double 2 2 1 2 3", opening(1),
         case1 + "Das Skript endet vor dem Element (2,2) der Koeffizientenmatrix.\n"},
        {"2 a double 1 1 abc 1 1 2 b double 1 1 2 1 1 4", opening(1),
         case1 + "Das Element (1,1) der Koeffizientenmatrix ist nicht lesbar; erwartet wird eine "
                 "Zahl vom Typ double.\n"},
        {"1 a float 1 1 1e999 1 1 1", opening(1),
         case1 + "Das Element (1,1) der Koeffizientenmatrix ist nicht lesbar; erwartet wird eine "
                 "Zahl vom Typ float.\n"},
        {"1 a complex 1 1 (1,2 1 1 2", opening(1),
         case1 + "Das Element (1,1) der Koeffizientenmatrix ist nicht lesbar; erwartet wird eine "
                 "komplexe Zahl wie (1,2).\n"},
        {"1 a bruch 1 1 3 4 1 1 1/1", opening(1),
         case1 + "Das Element (1,1) der Koeffizientenmatrix ist fehlerhaft: Eingabefehler "
                 "(Bruchzahl)\n"},
        {"1 a bruch 1 1 1/2 1 1 1/0", opening(1),
         case1 + "Das Element (1,1) der absoluten Glieder ist fehlerhaft: Eingabefehler (Nenner "
                 "darf nicht 0 sein.)\n"},
        {"1 a float 1 1 2 1 1", opening(1),
         case1 + "Das Skript endet vor dem Element (1,1) der absoluten Glieder.\n"},
        {"1 a double 4294967295 4294967295 1", opening(1),
         case1 + "Fuer die Koeffizientenmatrix mit 4294967295 x 4294967295 Elementen reicht der "
                 "Speicher nicht.\n"},
        {"3 a Float b double 1 1 x", wrongType + opening(2),
         "Fehler im Testskript bei Testfall 2 (b): Das Element (1,1) der Koeffizientenmatrix ist "
         "nicht lesbar; erwartet wird eine Zahl vom Typ double.\n"},
    };
    for (const ReadError& c : cases) {
        SCOPED_TRACE(c.script);
        expectRun(c.script, c.out, c.err, 1);
    }
}

// The reference transcripts next to the project, where present.
TEST(Probelauf, ReferenceTranscripts) {
    const std::filesystem::path directory =
        std::filesystem::path(ZIFFERON_EXAMPLES_DIR) / "probelauf";
    if (!std::filesystem::is_directory(directory)) {
        GTEST_SKIP() << "no reference transcripts at " << directory;
    }
    const auto contents = [](const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    std::vector<std::filesystem::path> scripts;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        if (entry.path().extension() == ".in") {
            scripts.push_back(entry.path());
        }
    }
    std::sort(scripts.begin(), scripts.end());
    EXPECT_FALSE(scripts.empty());
    for (const std::filesystem::path& script : scripts) {
        SCOPED_TRACE(script.filename().string());
        std::filesystem::path expected = script;
        expected.replace_extension(".out");
        expectRun(contents(script), contents(expected));
    }
}

}  // namespace
}  // namespace zifferon
