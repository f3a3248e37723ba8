// Scripted calculator sessions, checked byte for byte: keys and typed lines go in as a script,
// the screens come out as a transcript (output not a terminal: no colours, a form feed for every
// cleared screen, typed input not echoed).
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "calculator.hpp"
#include "screens.hpp"
#include "zifferon/console/stream_console.hpp"

namespace zifferon::testing {
namespace {

namespace s = screens;

struct Transcript {
    std::string out;
    std::string err;
    int status;
};

Transcript session(const std::string& script) {
    console::StringInput input(script);
    std::ostringstream out, err;
    console::StreamConsole console(input, out, err, false);
    const int status = rechenpult::run(console);
    return {out.str(), err.str(), status};
}

std::string repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

// Keys that move the highlight `downs` entries down (typed P) and press Enter.
std::string choose(int downs) {
    return std::string(static_cast<std::size_t>(downs), 'P') + "\r";
}

// A menu as drawn while the highlight moves `downs` entries down from entry `from`: once, then
// once per key.
std::string drawn(const s::Menu& menu, int downs, int from = 1) {
    std::string result;
    for (int k = from; k <= from + downs; ++k) {
        result += menu.at(k);
    }
    return result;
}

constexpr int floatType = 0, doubleType = 1, complexType = 2, fractionType = 3;

// From the start to the main menu of an element type.
std::string toMainMenu(int type) {
    return choose(type);
}
std::string shownToMainMenu(int type) {
    return drawn(s::typeSelection, type);
}

// From a fresh main menu, "Programm beenden".
const std::string endProgram = choose(6);
const std::string shownEndProgram = drawn(s::mainMenu, 6);

const std::string message100 =
    "Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.";

TEST(CalculatorStart, TheTypeSelectionCanEndTheProgram) {
    EXPECT_EQ(session(choose(4)).out, drawn(s::typeSelection, 4));
    // Up from the first entry wraps to the last; an arrow key redraws twice.
    const std::string first = s::typeSelection.at(1), last = s::typeSelection.at(5);
    EXPECT_EQ(session("\x1b[A\r").out, first + first + last);
    EXPECT_EQ(session("H\r").out, first + last);
    // Lower-case letters and other keys only redraw.
    EXPECT_EQ(session("hpx\x1b[C" + choose(4)).out, repeat(first, 4) + drawn(s::typeSelection, 4));
    const Transcript ended = session(choose(4));
    EXPECT_EQ(ended.status, 0);
    EXPECT_EQ(ended.err, "");
}

TEST(CalculatorStart, EndOfInputEndsTheProgram) {
    const Transcript atStart = session("");
    EXPECT_EQ(atStart.out, s::typeSelection.at(1));
    EXPECT_EQ(atStart.status, 0);
    const Transcript inMainMenu = session(toMainMenu(floatType) + "P");
    EXPECT_EQ(inMainMenu.out, shownToMainMenu(floatType) + drawn(s::mainMenu, 1));
    EXPECT_EQ(inMainMenu.status, 0);
    // In the middle of a dialog.
    const Transcript inDialog = session(toMainMenu(floatType) + choose(0) + choose(0) + "2\n");
    EXPECT_EQ(inDialog.out,
              shownToMainMenu(floatType) + s::mainMenu.at(1) + s::inputMenu.at(1) + s::sizeDialog);
    EXPECT_EQ(inDialog.status, 0);
}

TEST(CalculatorStart, MainMenuEndsTheProgramOrChangesTheType) {
    EXPECT_EQ(session(toMainMenu(floatType) + endProgram).out,
              shownToMainMenu(floatType) + shownEndProgram);
    // Up from "Eingabe" wraps to "Programm beenden".
    EXPECT_EQ(session(toMainMenu(fractionType) + "H\r").out,
              shownToMainMenu(fractionType) + s::mainMenu.at(1) + s::mainMenu.at(7));
    EXPECT_EQ(session(toMainMenu(doubleType) + choose(5) + choose(4)).out,
              shownToMainMenu(doubleType) + drawn(s::mainMenu, 5) + drawn(s::typeSelection, 4));
}

TEST(CalculatorStart, EveryTypeCycleStartsWithFreshZeroMatrices) {
    const std::string script = toMainMenu(floatType) + choose(0) + choose(0) + "2\n2\n" +
                               choose(4) + choose(5) + toMainMenu(floatType) + choose(1) +
                               choose(0) + " " + choose(2) + endProgram;
    const std::string expected = shownToMainMenu(floatType) + s::mainMenu.at(1) +
                                 s::inputMenu.at(1) + s::sizeDialog + drawn(s::inputMenu, 4) +
                                 drawn(s::mainMenu, 5) + shownToMainMenu(floatType) +
                                 drawn(s::mainMenu, 1) + s::outputMenu.at(1) + s::zeroReport +
                                 drawn(s::outputMenu, 2) + shownEndProgram;
    EXPECT_EQ(session(script).out, expected);
}

struct Filled {
    int type;
    int rows;
    int columns;
    std::string values;  // typed into the value dialog
    s::Properties report;
};

// Sizes and fills matrix 1, then prints the reports of both matrices: matrix 2 stays zero.
void expectFilledReport(const Filled& f) {
    const std::string script = toMainMenu(f.type) + choose(0) + choose(0) + std::to_string(f.rows) +
                               "\n" + std::to_string(f.columns) + "\n" + choose(2) + f.values +
                               choose(2) + choose(1) + choose(0) + " " + choose(1) + " " +
                               choose(1) + endProgram;
    const std::string expected =
        shownToMainMenu(f.type) + s::mainMenu.at(1) + s::inputMenu.at(1) + s::sizeDialog +
        drawn(s::inputMenu, 2) + s::valueDialog(s::valuesPrompt, f.columns, f.rows, f.columns) +
        drawn(s::inputMenu, 2, 3) + drawn(s::mainMenu, 1) + s::outputMenu.at(1) +
        s::report(f.report) + drawn(s::outputMenu, 1) +
        s::zeroReportOf(f.type == complexType ? "(0,0)" : "0") + drawn(s::outputMenu, 1, 2) +
        shownEndProgram;
    const Transcript result = session(script);
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
}

TEST(CalculatorInputOutput, ReportsShowSizeStructureAndValuesForEveryType) {
    expectFilledReport({doubleType,
                        2,
                        3,
                        "1 2 3\n4 5 6\n",
                        {2,
                         3,
                         {"Nein", "Nein", "Nein", "Nein", "keine", "Nein", "Nein"},
                         "1\t2\t3\t\n4\t5\t6\t\n"}});
    expectFilledReport(
        {floatType,
         2,
         2,
         "1 0\n0 1\n",
         {2, 2, {"Ja", "Nein", "Ja", "Ja", s::diagonal, "Nein", "Nein"}, "1\t0\t\n0\t1\t\n"}});
    expectFilledReport({complexType,
                        1,
                        3,
                        "(1,2) (3) 4\n",
                        {1,
                         3,
                         {"Nein", "Nein", "Nein", "Nein", "keine", "Nein", "Ja"},
                         "(1,2)\t(3,0)\t(4,0)\t\n"}});
    expectFilledReport(
        {complexType,
         1,
         1,
         "(0,0)\n",
         {1, 1, {"Ja", "Ja", "Nein", "Ja", s::diagonal, "Nein", "Nein"}, "(0,0)\t\n"}});
    // Fractions are shown as typed.
    expectFilledReport(
        {fractionType,
         3,
         1,
         "2/4\n1 / -2\n0/5\n",
         {3, 1, {"Nein", "Nein", "Nein", "Nein", "keine", "Ja", "Nein"}, "2/4\t\n1/-2\t\n0\t\n"}});
    expectFilledReport(
        {fractionType,
         2,
         2,
         "1/2 1/3 0/1 2/1\n",
         {2, 2, {"Ja", "Nein", "Nein", "Nein", "obere", "Nein", "Nein"}, "1/2\t1/3\t\n0\t2\t\n"}});
    expectFilledReport(
        {doubleType,
         2,
         2,
         "1 0 5 3\n",
         {2, 2, {"Ja", "Nein", "Nein", "Nein", "untere", "Nein", "Nein"}, "1\t0\t\n5\t3\t\n"}});
}

TEST(CalculatorInputOutput, SizeErrorsAreShownAndChangeNothing) {
    const std::string script = toMainMenu(doubleType) + choose(0) + choose(0) + "0\n3\n" + " " +
                               "\r" + "-1\n2\n" + " " + "\r" + "abc\n" + " " + "\r" +
                               "2000000000\n2000000000\n" + " " + choose(4) + choose(1) +
                               choose(0) + " " + choose(2) + endProgram;
    const std::string expected =
        shownToMainMenu(doubleType) + s::mainMenu.at(1) + s::inputMenu.at(1) +
        // 0 rows, then -1 rows: the size error, the pause.
        s::sizeDialog + s::matrixError(message100) + s::pause + s::inputMenu.at(1) + s::sizeDialog +
        s::matrixError(message100) + s::pause + s::inputMenu.at(1) +
        // Text for a count: the text error on the error stream, the pause.
        s::titled("Geben Sie bitte folgende Daten ein:") + "Anzahl der Zeilen = " + s::pause +
        s::inputMenu.at(1) +
        // Storage beyond the machine's memory.
        s::sizeDialog + s::pause + drawn(s::inputMenu, 4) + drawn(s::mainMenu, 1) +
        s::outputMenu.at(1) + s::zeroReport + drawn(s::outputMenu, 2) + shownEndProgram;
    const Transcript result = session(script);
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(result.err,
              s::textError("Eingabefehler (ganze Zahl)") + s::textError("unbekannter Fehler"));
}

struct BadValues {
    int type;
    std::string typed;
    int lastRow, lastColumn;  // the element whose text fails
    std::string error;
    s::Properties report;  // matrix 1 afterwards
};

// Fills matrix 1 (3 x 3) with text that fails part way, then prints its report.
void expectValueError(const BadValues& v) {
    const std::string script = toMainMenu(v.type) + choose(0) + choose(2) + v.typed + " " +
                               choose(2) + choose(1) + choose(0) + " " + choose(2) + endProgram;
    const std::string expected =
        shownToMainMenu(v.type) + s::mainMenu.at(1) + drawn(s::inputMenu, 2) +
        s::valueDialog(s::valuesPrompt, 3, v.lastRow, v.lastColumn) + s::pause +
        drawn(s::inputMenu, 2, 3) + drawn(s::mainMenu, 1) + s::outputMenu.at(1) +
        s::report(v.report) + drawn(s::outputMenu, 2) + shownEndProgram;
    const Transcript result = session(script);
    EXPECT_EQ(result.out, expected) << v.typed;
    EXPECT_EQ(result.err, s::textError(v.error)) << v.typed;
}

TEST(CalculatorInputOutput, UnreadableValuesAreShownAndKeepWhatWasRead) {
    expectValueError({doubleType,
                      "1 2 x\n",
                      1,
                      3,
                      "Eingabefehler (Dezimalzahl)",
                      {3,
                       3,
                       {"Ja", "Nein", "Nein", "Nein", "obere", "Nein", "Nein"},
                       "1\t2\t0\t\n0\t0\t0\t\n0\t0\t0\t\n"}});
    // Beyond the range of float.
    expectValueError({floatType,
                      "1e39\n",
                      1,
                      1,
                      "Eingabefehler (Dezimalzahl)",
                      {3,
                       3,
                       {"Ja", "Ja", "Nein", "Ja", s::diagonal, "Nein", "Nein"},
                       "0\t0\t0\t\n0\t0\t0\t\n0\t0\t0\t\n"}});
    expectValueError({complexType,
                      "(1,2) (3,x)\n",
                      1,
                      2,
                      "Eingabefehler (komplexe Zahl)",
                      {3,
                       3,
                       {"Ja", "Nein", "Nein", "Nein", s::diagonal, "Nein", "Nein"},
                       "(1,2)\t(0,0)\t(0,0)\t\n(0,0)\t(0,0)\t(0,0)\t\n(0,0)\t(0,0)\t(0,0)\t\n"}});
    // A fraction without "/" keeps the numerator it read.
    expectValueError({fractionType,
                      "1/2 3 4\n",
                      1,
                      2,
                      "Eingabefehler (Bruchzahl)",
                      {3,
                       3,
                       {"Ja", "Nein", "Nein", "Nein", "obere", "Nein", "Nein"},
                       "1/2\t3\t0\t\n0\t0\t0\t\n0\t0\t0\t\n"}});
    expectValueError({fractionType,
                      "5/0\n",
                      1,
                      1,
                      "Eingabefehler (Nenner darf nicht 0 sein.)",
                      {3,
                       3,
                       {"Ja", "Nein", "Nein", "Nein", s::diagonal, "Nein", "Nein"},
                       "5\t0\t0\t\n0\t0\t0\t\n0\t0\t0\t\n"}});
}

// Sizes and fills both matrices from a fresh main menu and returns to it.
std::string fillBoth(int rows1, int columns1, const std::string& values1, int rows2, int columns2,
                     const std::string& values2) {
    return choose(0) + choose(0) + std::to_string(rows1) + "\n" + std::to_string(columns1) + "\n" +
           choose(1) + std::to_string(rows2) + "\n" + std::to_string(columns2) + "\n" + choose(1) +
           values1 + choose(1) + values2 + choose(1);
}

std::string shownFillBoth(int rows1, int columns1, int rows2, int columns2) {
    return s::mainMenu.at(1) + s::inputMenu.at(1) + s::sizeDialog + drawn(s::inputMenu, 1) +
           s::sizeDialog + drawn(s::inputMenu, 1, 2) +
           s::valueDialog(s::valuesPrompt, columns1, rows1, columns1) + drawn(s::inputMenu, 1, 3) +
           s::valueDialog(s::valuesPrompt, columns2, rows2, columns2) + drawn(s::inputMenu, 1, 4);
}

std::string failed(const std::string& message) {
    return s::banner + s::matrixError(message) + s::pause;
}

TEST(CalculatorArithmetic, SumDifferenceAndProductWithTheirSizeErrors) {
    const std::string script =
        toMainMenu(doubleType) + fillBoth(2, 3, "1 2 3 4 5 6\n", 3, 2, "1 0 0 1 1 1\n") +
        choose(2) + choose(0) + " " + choose(1) + " " + choose(1) + " " + choose(1) + endProgram;
    const std::string expected =
        shownToMainMenu(doubleType) + shownFillBoth(2, 3, 3, 2) + drawn(s::mainMenu, 2) +
        s::arithmeticMenu.at(1) +
        failed(
            "Die beiden zu addierenden Matrizen stimmen nicht in der Anzahl der Zeilen und "
            "Spalten ueberein.") +
        drawn(s::arithmeticMenu, 1) +
        failed(
            "Die beiden zu subtrahierenden Matrizen stimmen nicht in der Anzahl der Zeilen und "
            "Spalten ueberein.") +
        drawn(s::arithmeticMenu, 1, 2) + s::result("4\t5\t\n10\t11\t\n") +
        drawn(s::arithmeticMenu, 1, 3) + shownEndProgram;
    EXPECT_EQ(session(script).out, expected);
}

TEST(CalculatorArithmetic, InitialZeroMatricesAndTheVectorProduct) {
    const std::string zeros = "0\t0\t0\t\n0\t0\t0\t\n0\t0\t0\t\n";
    EXPECT_EQ(session(toMainMenu(floatType) + choose(2) + choose(0) + " " + choose(1) + " " +
                      choose(1) + " " + choose(1) + endProgram)
                  .out,
              shownToMainMenu(floatType) + drawn(s::mainMenu, 2) + s::arithmeticMenu.at(1) +
                  s::result(zeros) + drawn(s::arithmeticMenu, 1) + s::result(zeros) +
                  drawn(s::arithmeticMenu, 1, 2) + s::result(zeros) +
                  drawn(s::arithmeticMenu, 1, 3) + shownEndProgram);

    // Two column vectors of three rows: their vector product. Two row vectors: no product.
    const std::string vectors =
        toMainMenu(complexType) + fillBoth(3, 1, "1 0 0\n", 3, 1, "(0,0) (1,0) (0,0)\n") +
        choose(2) + choose(2) + " " + choose(1) + fillBoth(1, 3, "1 2 3\n", 1, 3, "1 2 3\n") +
        choose(2) + choose(2) + " " + choose(1) + endProgram;
    EXPECT_EQ(session(vectors).out,
              shownToMainMenu(complexType) + shownFillBoth(3, 1, 3, 1) + drawn(s::mainMenu, 2) +
                  drawn(s::arithmeticMenu, 2) + s::result("(0,0)\t\n(0,0)\t\n(1,0)\t\n") +
                  drawn(s::arithmeticMenu, 1, 3) + shownFillBoth(1, 3, 1, 3) +
                  drawn(s::mainMenu, 2) + drawn(s::arithmeticMenu, 2) +
                  failed("Die Spaltenanzahl der Matrix 1 stimmt nicht mit der Zeilenanzahl der "
                         "Matrix 2 ueberein.") +
                  drawn(s::arithmeticMenu, 1, 3) + shownEndProgram);
}

// Runs all six matrix operations in order, each followed by the pause.
const std::string allOperations =
    choose(3) + choose(0) + " " + repeat(choose(1) + " ", 5) + choose(1) + endProgram;

std::string shownOperations(const std::string (&screens)[6]) {
    std::string result = drawn(s::mainMenu, 3) + s::operationsMenu.at(1);
    for (int k = 0; k < 6; ++k) {
        result += screens[k] + drawn(s::operationsMenu, 1, k + 1);
    }
    return result + shownEndProgram;
}

TEST(CalculatorOperations, DeterminantAdjugateAndInverseWithTheirErrors) {
    const std::string notSquare = failed("Es liegt keine quadratische Matrix vor.");
    const std::string script =
        toMainMenu(doubleType) + fillBoth(2, 2, "1 2 3 4\n", 2, 3, "1 2 3 4 5 6\n") + allOperations;
    EXPECT_EQ(session(script).out,
              shownToMainMenu(doubleType) + shownFillBoth(2, 2, 2, 3) +
                  shownOperations({s::result("-2"), notSquare, s::result("4\t-2\t\n-3\t1\t\n"),
                                   notSquare, s::result("-2\t1\t\n1.5\t-0.5\t\n"), notSquare}));

    // The initial zeros: cofactors at odd places are negated zeros.
    const std::string zeroAdjugate = "0\t-0\t0\t\n-0\t0\t-0\t\n0\t-0\t0\t\n";
    const std::string noInverse =
        failed("Zu dieser Matrix gibt es keine Inverse (Determinante = 0).");
    EXPECT_EQ(session(toMainMenu(doubleType) + allOperations).out,
              shownToMainMenu(doubleType) +
                  shownOperations({s::result("0"), s::result("0"), s::result(zeroAdjugate),
                                   s::result(zeroAdjugate), noInverse, noInverse}));
}

TEST(CalculatorOperations, FractionsAndComplexNumbersInTheirOwnTextForms) {
    const std::string fractions = toMainMenu(fractionType) +
                                  fillBoth(2, 2, "1/1 2/1 3/1 4/1\n", 1, 1, "2/4\n") +
                                  allOperations;
    const std::string oneByOne =
        failed("Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.");
    EXPECT_EQ(
        session(fractions).out,
        shownToMainMenu(fractionType) + shownFillBoth(2, 2, 1, 1) +
            shownOperations({s::result("-2"), s::result("1/2"), s::result("4\t-2\t\n-3\t1\t\n"),
                             oneByOne, s::result("-2\t1\t\n3/2\t-1/2\t\n"), oneByOne}));

    // det ((i, 1), (1, 0)) = -1.
    const std::string complex =
        toMainMenu(complexType) + fillBoth(2, 2, "(0,1) (1,0) (1,0) (0,0)\n", 1, 1, "(0,2)\n") +
        choose(3) + choose(0) + " " + choose(1) + " " + choose(5) + endProgram;
    EXPECT_EQ(session(complex).out,
              shownToMainMenu(complexType) + shownFillBoth(2, 2, 1, 1) + drawn(s::mainMenu, 3) +
                  s::operationsMenu.at(1) + s::result("(-1,0)") + drawn(s::operationsMenu, 1) +
                  s::result("(0,2)") + drawn(s::operationsMenu, 5, 2) + shownEndProgram);
}

TEST(CalculatorOperations, FractionOverflowIsShownAsATextError) {
    // det = 2^124 - 1 does not fit.
    const std::string script =
        toMainMenu(fractionType) +
        fillBoth(2, 2, "4611686018427387904/1 1/1 1/1 4611686018427387904/1\n", 1, 1, "1/1\n") +
        choose(3) + choose(0) + " " + choose(6) + endProgram;
    const Transcript result = session(script);
    EXPECT_EQ(result.out, shownToMainMenu(fractionType) + shownFillBoth(2, 2, 1, 1) +
                              drawn(s::mainMenu, 3) + s::operationsMenu.at(1) + s::banner +
                              s::pause + drawn(s::operationsMenu, 6) + shownEndProgram);
    EXPECT_EQ(result.err, s::textError("mathematischer Fehler -> Ueberlauf (Bruchzahl)"));
}

struct SolverCase {
    int type;
    std::string typed;
    std::string shown;  // after the main menu
    std::string err;
};

void expectSolver(const SolverCase& c) {
    const Transcript result = session(toMainMenu(c.type) + choose(4) + c.typed + " " + endProgram);
    EXPECT_EQ(result.out,
              shownToMainMenu(c.type) + drawn(s::mainMenu, 4) + c.shown + shownEndProgram)
        << c.typed;
    EXPECT_EQ(result.err, c.err) << c.typed;
}

TEST(CalculatorSolver, SolutionsAndVerdicts) {
    expectSolver({doubleType, "1\n2\n4\n", s::solverInput(1) + s::solverResult("x1 = 2\n"), ""});
    expectSolver({doubleType, "3\n2 1 -1 -3 -1 2 -2 1 2\n8 -11 -3\n",
                  s::solverInput(3) + s::solverResult("x1 = 2\nx2 = 3\nx3 = -1\n"), ""});
    expectSolver({floatType, "2\n0 0 0 0\n1 1\n",
                  s::solverInput(2) + s::solverResult("Das Gleichungssystem hat keine Loesung.\n"),
                  ""});
    expectSolver({doubleType, "2\n1 2 2 4\n3 6\n",
                  s::solverInput(2) +
                      s::solverResult("Das Gleichungssystem hat unendlich viele Loesungen.\n"),
                  ""});
    expectSolver({fractionType, "2\n2/1 0/1 0/1 3/1\n1/1 1/1\n",
                  s::solverInput(2) + s::solverResult("x1 = 1/2\nx2 = 1/3\n"), ""});
    expectSolver({complexType, "1\n(0,1)\n(1,0)\n",
                  s::solverInput(1) + s::solverResult("x1 = (0,-1)\n"), ""});
}

TEST(CalculatorSolver, BadCountsAndInputErrorsAreShown) {
    const std::string afterCount = s::solverStart + s::matrixError(message100) + s::pause;
    expectSolver({doubleType, "0\n", afterCount, ""});
    expectSolver({doubleType, "-1\n", afterCount, ""});
    expectSolver({doubleType, "zwei\n", s::solverStart + s::pause,
                  s::textError("Eingabefehler (ganze Zahl)")});
    expectSolver(
        {doubleType, "100000000\n", s::solverStart + s::pause, s::textError("unbekannter Fehler")});
    expectSolver({fractionType, "1\n1/0\n",
                  s::solverStart + s::valueDialog(s::coefficientsPrompt, 1, 1, 1) + s::pause,
                  s::textError("Eingabefehler (Nenner darf nicht 0 sein.)")});
    // The elimination overflows: W(2,2) = 2^62 - 1/2^62.
    expectSolver({fractionType, "2\n4611686018427387904/1 1/1 1/1 4611686018427387904/1\n1/1 1/1\n",
                  s::solverInput(2) + s::titled("Ergebnis: ") + s::pause,
                  s::textError("mathematischer Fehler -> Ueberlauf (Bruchzahl)")});
}

TEST(CalculatorSolver, TheTypeCyclesMatricesStayAsTheyWere) {
    const std::string script = toMainMenu(doubleType) + choose(4) + "1\n2\n4\n" + " " + choose(1) +
                               choose(0) + " " + choose(2) + endProgram;
    EXPECT_EQ(session(script).out, shownToMainMenu(doubleType) + drawn(s::mainMenu, 4) +
                                       s::solverInput(1) + s::solverResult("x1 = 2\n") +
                                       drawn(s::mainMenu, 1) + s::outputMenu.at(1) + s::zeroReport +
                                       drawn(s::outputMenu, 2) + shownEndProgram);
}

}  // namespace
}  // namespace zifferon::testing
