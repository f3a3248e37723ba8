// Solves 1/2 x + 1/3 y = 1, 1/4 x + 1/5 y = 2 exactly, then provokes a solver error, all through
// the installed headers and libraries.
#include <ostream>

#include "console/standard_console.hpp"
#include "matrix/matrix.hpp"
#include "matrix/print_error.hpp"

using zifferon::Bruch;
using zifferon::Matrix;

int main() {
    std::ostream& out = zifferon::console::standardConsole().out();
    Matrix<Bruch> a(2, 2), b(2, 1), x(2, 1);
    a.element(1, 1) = Bruch(1, 2);
    a.element(1, 2) = Bruch(1, 3);
    a.element(2, 1) = Bruch(1, 4);
    a.element(2, 2) = Bruch(1, 5);
    b.element(1, 1) = Bruch(1);
    b.element(2, 1) = Bruch(2);

    out << "Determinante: " << a.determinant() << '\n';
    if (a.solve(x, b) == zifferon::SolveStatus::UniqueSolution) {
        out << "Loesung:\n" << x;
    }
    out << "Probe:\n" << a * x;

    Matrix<Bruch> wide(2, 2);
    try {
        a.solve(x, wide);
    } catch (const zifferon::MatrixException& error) {
        zifferon::printError(error);
    }
    return 0;
}
