#pragma once

#include "zifferon/console/console.hpp"
#include "zifferon/matrix/element_types.hpp"

namespace zifferon::rechenpult {

// The entries of the main menu, in their order on the screen.
enum class MainMenuChoice {
    Input = 1,
    Output,
    Arithmetic,
    Operations,
    Solver,
    ChangeType,
    EndProgram
};

// One type cycle: two fresh 3 x 3 zero matrices of element type T, the main menu and the
// screens behind it (input, output, arithmetic, matrix operations, equation solver), until
// "Datentyp der Matrizen aendern" or "Programm beenden", whose choice it returns. Every screen
// shows its own errors and then lets the user go on.
template <class T>
MainMenuChoice runTypeCycle(console::Console& console);

extern template MainMenuChoice runTypeCycle<float>(console::Console&);
extern template MainMenuChoice runTypeCycle<double>(console::Console&);
extern template MainMenuChoice runTypeCycle<Complex>(console::Console&);
extern template MainMenuChoice runTypeCycle<Bruch>(console::Console&);

}  // namespace zifferon::rechenpult
