#pragma once

#include "zifferon/console/console.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon::rechenpult {

// One type cycle over matrix 1 and matrix 2: the main menu and the screens behind it (input,
// output, arithmetic, matrix operations, equation solver), until "Datentyp der Matrizen
// aendern" or "Programm beenden", whose main-menu choice it returns. Every screen shows its own
// errors and then lets the user go on.
template <class T>
int runCalculator(console::Console& console, Matrix<T>& first, Matrix<T>& second);

extern template int runCalculator<float>(console::Console&, Matrix<float>&, Matrix<float>&);
extern template int runCalculator<double>(console::Console&, Matrix<double>&, Matrix<double>&);
extern template int runCalculator<Complex>(console::Console&, Matrix<Complex>&, Matrix<Complex>&);
extern template int runCalculator<Bruch>(console::Console&, Matrix<Bruch>&, Matrix<Bruch>&);

}  // namespace zifferon::rechenpult
