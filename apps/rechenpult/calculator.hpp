#pragma once

#include "zifferon/console/console.hpp"

namespace zifferon::rechenpult {

// Element-type choices of the type selection.
enum ElementTypeChoice { FloatType = 1, DoubleType, ComplexType, FractionType, EndFromTypes };

// Main-menu choices.
enum MainMenuChoice {
    InputChoice = 1,
    OutputChoice,
    ArithmeticChoice,
    OperationsChoice,
    SolverChoice,
    ChangeTypeChoice,
    EndProgramChoice
};

// The whole calculator: type selection, then one type cycle after the other, until the user
// ends it or the input ends. Returns the exit status, 0.
int run(console::Console& console);

// The type-selection screen; returns an ElementTypeChoice.
int selectElementType(console::Console& console);
// The main menu; returns a MainMenuChoice.
int mainMenu(console::Console& console);

}  // namespace zifferon::rechenpult
