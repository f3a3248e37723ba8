#pragma once

#include <ostream>

#include "error_display.hpp"
#include "menu_screen.hpp"
#include "zifferon/console/console.hpp"
#include "zifferon/matrix/element_writer.hpp"
#include "zifferon/matrix/matrix.hpp"
#include "zifferon/matrix/screen_header.hpp"

// The four menus of the main menu that work on matrix 1 and matrix 2: input, output,
// arithmetic and matrix operations. Each shows its screen until "Zurueck zum Hauptmenue".
namespace zifferon::rechenpult {

namespace detail {

// A result is a matrix, or one element (a determinant), written as a matrix's elements are.
template <class T>
void writeResult(std::ostream& out, const Matrix<T>& matrix) {
    out << matrix;
}
template <class T>
void writeResult(std::ostream& out, const T& element) {
    writeElement(out, element);
}

// A result screen: the banner, then the computation's result under "Ergebnis: ", or its error,
// then the pause. Nothing of the result is written when the computation fails.
template <class Compute>
void showResult(console::Console& console, Compute compute) {
    writeScreenHeader(console);
    runShowingErrors(console, [&] {
        const auto result = compute();
        console.out() << "\nErgebnis: \n\n";
        writeResult(console.out(), result);
        console.out() << "\n\n";
    });
    console.pause();
}

// An input dialog: it reports its own size errors; any other error is shown here, then the
// pause, then the menu comes back.
template <class Dialog>
void runDialog(console::Console& console, Dialog dialog) {
    if (!runShowingErrors(console, dialog)) {
        console.pause();
    }
}

}  // namespace detail

template <class T>
void inputMenu(console::Console& console, Matrix<T>& first, Matrix<T>& second) {
    enum class Choice { SizeOfFirst = 1, SizeOfSecond, ValuesOfFirst, ValuesOfSecond, Back };
    static constexpr const char* valuesPrompt =
        "Bitte geben Sie die Werte der Matrixelemente ein. ";
    MenuScreen menu(
        MenuScreen::Heading::Title, "Eingabe - Menue: ",
        {"Groesze der Matrix 1 anpassen", "Groesze der Matrix 2 anpassen",
         "Werte der Matrix 1 eingeben", "Werte der Matrix 2 eingeben", "Zurueck zum Hauptmenue"});
    for (;;) {
        switch (menu.choose<Choice>(console)) {
            case Choice::SizeOfFirst:
                detail::runDialog(console, [&] { first.readSize(console); });
                break;
            case Choice::SizeOfSecond:
                detail::runDialog(console, [&] { second.readSize(console); });
                break;
            case Choice::ValuesOfFirst:
                detail::runDialog(console, [&] { first.readValues(console, valuesPrompt); });
                break;
            case Choice::ValuesOfSecond:
                detail::runDialog(console, [&] { second.readValues(console, valuesPrompt); });
                break;
            case Choice::Back:
                return;
        }
    }
}

template <class T>
void outputMenu(console::Console& console, Matrix<T>& first, Matrix<T>& second) {
    enum class Choice { First = 1, Second, Back };
    MenuScreen menu(MenuScreen::Heading::Title, "Ausgabe - Menue: ",
                    {"Matrix 1 ausgeben", "Matrix 2 ausgeben", "Zurueck zum Hauptmenue"});
    for (;;) {
        switch (menu.choose<Choice>(console)) {
            case Choice::First:
                first.printProperties(console);
                break;
            case Choice::Second:
                second.printProperties(console);
                break;
            case Choice::Back:
                return;
        }
    }
}

template <class T>
void arithmeticMenu(console::Console& console, const Matrix<T>& first, const Matrix<T>& second) {
    enum class Choice { Sum = 1, Difference, Product, Back };
    MenuScreen menu(MenuScreen::Heading::Title, "Arithmetic - Menue: ",
                    {"Matrix 1 + Matrix 2", "Matrix 1 - Matrix 2", "Matrix 1 * Matrix 2",
                     "Zurueck zum Hauptmenue"});
    for (;;) {
        switch (menu.choose<Choice>(console)) {
            case Choice::Sum:
                detail::showResult(console, [&] { return first + second; });
                break;
            case Choice::Difference:
                detail::showResult(console, [&] { return first - second; });
                break;
            case Choice::Product:
                detail::showResult(console, [&] { return first * second; });
                break;
            case Choice::Back:
                return;
        }
    }
}

template <class T>
void operationsMenu(console::Console& console, const Matrix<T>& first, const Matrix<T>& second) {
    enum class Choice {
        DeterminantOfFirst = 1,
        DeterminantOfSecond,
        AdjugateOfFirst,
        AdjugateOfSecond,
        InverseOfFirst,
        InverseOfSecond,
        Back
    };
    MenuScreen menu(
        MenuScreen::Heading::Title, "Matrix - Operationen - Menue: ",
        {"Determinante Matrix 1", "Determinante Matrix 2", "Adjunkte Matrix 1", "Adjunkte Matrix 2",
         "Inverse Matrix 1", "Inverse Matrix 2", "Zurueck zum Hauptmenue"});
    for (;;) {
        switch (menu.choose<Choice>(console)) {
            case Choice::DeterminantOfFirst:
                detail::showResult(console, [&] { return first.determinant(); });
                break;
            case Choice::DeterminantOfSecond:
                detail::showResult(console, [&] { return second.determinant(); });
                break;
            case Choice::AdjugateOfFirst:
                detail::showResult(console, [&] { return first.adjugate(); });
                break;
            case Choice::AdjugateOfSecond:
                detail::showResult(console, [&] { return second.adjugate(); });
                break;
            case Choice::InverseOfFirst:
                detail::showResult(console, [&] { return first.inverse(); });
                break;
            case Choice::InverseOfSecond:
                detail::showResult(console, [&] { return second.inverse(); });
                break;
            case Choice::Back:
                return;
        }
    }
}

}  // namespace zifferon::rechenpult
