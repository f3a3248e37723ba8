#include "type_cycle.hpp"

#include <cstdint>
#include <ostream>

#include "calculator.hpp"
#include "error_guard.hpp"
#include "menu_screen.hpp"
#include "zifferon/matrix/console_input.hpp"
#include "zifferon/matrix/screen_header.hpp"

namespace zifferon::rechenpult {

namespace {

// A result screen: the banner, then the computation's result under "Ergebnis: ", or its error,
// then the pause. Nothing of the result is written when the computation fails.
template <class Compute>
void showResult(console::Console& console, Compute compute) {
    writeScreenHeader(console);
    guarded(console, [&] {
        const auto result = compute();
        console.out() << "\nErgebnis: \n\n" << result << "\n\n";
    });
    console.pause();
}

// An input dialog: it reports its own size errors; any other error is shown here, then the
// pause, then the menu comes back.
template <class Dialog>
void runDialog(console::Console& console, Dialog dialog) {
    if (!guarded(console, dialog)) {
        console.pause();
    }
}

template <class T>
void solveEquations(console::Console& console) {
    writeScreenHeader(console, "Gleichungsloeser:");
    console.out() << "Anzahl der Koeffizienten: ";
    std::int32_t count = 0;
    readTypedValue(console.in(), count, wholeNumberInputError);
    if (count < 1) {
        throw MatrixException(MatrixError::SizeBelowOne);
    }
    const auto n = static_cast<std::uint32_t>(count);
    Matrix<T> coefficients(n, n);
    Matrix<T> constants(n, 1);
    Matrix<T> solution(n, 1);
    coefficients.readValues(console, "Geben Sie bitte die Koeffizientenmatrix ein: ");
    constants.readValues(console, "Geben Sie bitte den Spaltenvektor der absoluten Glieder ein: ");

    writeScreenHeader(console, "Ergebnis: ");
    std::ostream& out = console.out();
    try {
        switch (coefficients.solve(solution, constants)) {
            case SolveStatus::NoSolution:
                out << "Das Gleichungssystem hat keine Loesung.\n";
                break;
            case SolveStatus::UniqueSolution:
                for (std::uint32_t i = 1; i <= n; ++i) {
                    out << 'x' << i << " = " << solution.element(i, 1) << '\n';
                }
                break;
            case SolveStatus::InfiniteSolutions:
                out << "Das Gleichungssystem hat unendlich viele Loesungen.\n";
                break;
        }
        out << '\n';
    } catch (const MatrixException& error) {
        printError(error, console);
    }
}

template <class T>
void inputMenu(console::Console& console, Matrix<T>& first, Matrix<T>& second) {
    static constexpr const char* valuesPrompt =
        "Bitte geben Sie die Werte der Matrixelemente ein. ";
    MenuScreen menu(
        MenuScreen::Heading::Title, "Eingabe - Menue: ",
        {"Groesze der Matrix 1 anpassen", "Groesze der Matrix 2 anpassen",
         "Werte der Matrix 1 eingeben", "Werte der Matrix 2 eingeben", "Zurueck zum Hauptmenue"});
    for (;;) {
        switch (menu.choose(console)) {
            case 1:
                runDialog(console, [&] { first.readSize(console); });
                break;
            case 2:
                runDialog(console, [&] { second.readSize(console); });
                break;
            case 3:
                runDialog(console, [&] { first.readValues(console, valuesPrompt); });
                break;
            case 4:
                runDialog(console, [&] { second.readValues(console, valuesPrompt); });
                break;
            default:
                return;
        }
    }
}

template <class T>
void outputMenu(console::Console& console, Matrix<T>& first, Matrix<T>& second) {
    MenuScreen menu(MenuScreen::Heading::Title, "Ausgabe - Menue: ",
                    {"Matrix 1 ausgeben", "Matrix 2 ausgeben", "Zurueck zum Hauptmenue"});
    for (;;) {
        switch (menu.choose(console)) {
            case 1:
                first.printProperties(console);
                break;
            case 2:
                second.printProperties(console);
                break;
            default:
                return;
        }
    }
}

template <class T>
void arithmeticMenu(console::Console& console, const Matrix<T>& first, const Matrix<T>& second) {
    MenuScreen menu(MenuScreen::Heading::Title, "Arithmetic - Menue: ",
                    {"Matrix 1 + Matrix 2", "Matrix 1 - Matrix 2", "Matrix 1 * Matrix 2",
                     "Zurueck zum Hauptmenue"});
    for (;;) {
        switch (menu.choose(console)) {
            case 1:
                showResult(console, [&] { return first + second; });
                break;
            case 2:
                showResult(console, [&] { return first - second; });
                break;
            case 3:
                showResult(console, [&] { return first * second; });
                break;
            default:
                return;
        }
    }
}

template <class T>
void operationsMenu(console::Console& console, const Matrix<T>& first, const Matrix<T>& second) {
    MenuScreen menu(
        MenuScreen::Heading::Title, "Matrix - Operationen - Menue: ",
        {"Determinante Matrix 1", "Determinante Matrix 2", "Adjunkte Matrix 1", "Adjunkte Matrix 2",
         "Inverse Matrix 1", "Inverse Matrix 2", "Zurueck zum Hauptmenue"});
    for (;;) {
        const int choice = menu.choose(console);
        if (choice == 7) {
            return;
        }
        const Matrix<T>& operand = choice % 2 == 1 ? first : second;
        switch ((choice + 1) / 2) {
            case 1:
                showResult(console, [&] { return operand.determinant(); });
                break;
            case 2:
                showResult(console, [&] { return operand.adjugate(); });
                break;
            default:
                showResult(console, [&] { return operand.inverse(); });
                break;
        }
    }
}

template <class T>
void solverDialog(console::Console& console) {
    // A run ends with the pause, whether it showed a result or an error.
    guarded(console, [&] { solveEquations<T>(console); });
    console.pause();
}

}  // namespace

template <class T>
int runCalculator(console::Console& console, Matrix<T>& first, Matrix<T>& second) {
    for (;;) {
        switch (const int choice = mainMenu(console)) {
            case InputChoice:
                inputMenu(console, first, second);
                break;
            case OutputChoice:
                outputMenu(console, first, second);
                break;
            case ArithmeticChoice:
                arithmeticMenu<T>(console, first, second);
                break;
            case OperationsChoice:
                operationsMenu<T>(console, first, second);
                break;
            case SolverChoice:
                solverDialog<T>(console);
                break;
            default:
                return choice;
        }
    }
}

template int runCalculator<float>(console::Console&, Matrix<float>&, Matrix<float>&);
template int runCalculator<double>(console::Console&, Matrix<double>&, Matrix<double>&);
template int runCalculator<Complex>(console::Console&, Matrix<Complex>&, Matrix<Complex>&);
template int runCalculator<Bruch>(console::Console&, Matrix<Bruch>&, Matrix<Bruch>&);

}  // namespace zifferon::rechenpult
