#include "type_cycle.hpp"

#include "matrix_menus.hpp"
#include "menu_screen.hpp"
#include "solver_screen.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon::rechenpult {

namespace {

MainMenuChoice mainMenu(console::Console& console) {
    MenuScreen screen(MenuScreen::Heading::Title, "Hauptmenue: ",
                      {"Eingabe", "Ausgabe", "Arithmetic", "Matrix-Operationen", "Gleichungsloeser",
                       "Datentyp der Matrizen aendern", "Programm beenden"});
    return screen.choose<MainMenuChoice>(console);
}

}  // namespace

template <class T>
MainMenuChoice runTypeCycle(console::Console& console) {
    Matrix<T> first;
    Matrix<T> second;
    for (;;) {
        switch (const MainMenuChoice choice = mainMenu(console)) {
            case MainMenuChoice::Input:
                inputMenu(console, first, second);
                break;
            case MainMenuChoice::Output:
                outputMenu(console, first, second);
                break;
            case MainMenuChoice::Arithmetic:
                arithmeticMenu(console, first, second);
                break;
            case MainMenuChoice::Operations:
                operationsMenu(console, first, second);
                break;
            case MainMenuChoice::Solver:
                solverScreen<T>(console);
                break;
            case MainMenuChoice::ChangeType:
            case MainMenuChoice::EndProgram:
                return choice;
        }
    }
}

template MainMenuChoice runTypeCycle<float>(console::Console&);
template MainMenuChoice runTypeCycle<double>(console::Console&);
template MainMenuChoice runTypeCycle<Complex>(console::Console&);
template MainMenuChoice runTypeCycle<Bruch>(console::Console&);

}  // namespace zifferon::rechenpult
