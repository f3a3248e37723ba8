#pragma once

#include <cstdint>
#include <ostream>

#include "error_display.hpp"
#include "zifferon/console/console.hpp"
#include "zifferon/matrix/console_input.hpp"
#include "zifferon/matrix/matrix.hpp"
#include "zifferon/matrix/screen_header.hpp"
#include "zifferon/matrix/solve_verdict.hpp"
#include "zifferon/matrix/working_storage.hpp"

namespace zifferon::rechenpult {

namespace detail {

// Asks for the number of unknowns, the coefficients and the constants, then shows the verdict
// under "Ergebnis: ", or the solver's error.
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
    // The system and the solver's copies of it are counted together before anything is asked.
    requireMemory(
        addStorage(blockBytes({{n, n}, {n, 1}, {n, 1}}, sizeof(T)), solveStorage<T>(n, n)));
    Matrix<T> coefficients(n, n);
    Matrix<T> constants(n, 1);
    Matrix<T> solution(n, 1);
    coefficients.readValues(console, "Geben Sie bitte die Koeffizientenmatrix ein: ");
    constants.readValues(console, "Geben Sie bitte den Spaltenvektor der absoluten Glieder ein: ");

    writeScreenHeader(console, "Ergebnis: ");
    std::ostream& out = console.out();
    try {
        writeSolveVerdict(out, coefficients.solve(solution, constants), [&] {
            for (std::uint32_t i = 1; i <= n; ++i) {
                out << 'x' << i << " = " << solution.element(i, 1) << '\n';
            }
        });
        out << '\n';
    } catch (const MatrixException& error) {
        printError(error, console);
    }
}

}  // namespace detail

// The equation solver of the main menu: one system of its own matrices, element type T. A run
// ends with the pause, whether it showed a result or an error.
template <class T>
void solverScreen(console::Console& console) {
    runShowingErrors(console, [&] { detail::solveEquations<T>(console); });
    console.pause();
}

}  // namespace zifferon::rechenpult
