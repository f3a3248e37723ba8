#include "calculator.hpp"

#include <limits>
#include <sstream>
#include <string>

#include "menu_screen.hpp"
#include "type_cycle.hpp"
#include "zifferon/console/program_run.hpp"

namespace zifferon::rechenpult {

namespace {

// "Dezimalzahl im Bereich von <smallest normalised> bis <largest finite>", in the stream's
// default format and in the type's own precision.
template <class Float>
std::string rangeEntry() {
    std::ostringstream entry;
    entry << "Dezimalzahl im Bereich von " << std::numeric_limits<Float>::min() << " bis "
          << std::numeric_limits<Float>::max();
    return entry.str();
}

// One type cycle: two fresh 3 x 3 zero matrices for as long as the main menu stays.
template <class T>
int typeCycle(console::Console& console) {
    Matrix<T> first;
    Matrix<T> second;
    return runCalculator(console, first, second);
}

// The type selection, then one type cycle of the chosen type; returns the main-menu choice
// that ended it, or EndProgramChoice.
int runTypeCycle(console::Console& console) {
    switch (selectElementType(console)) {
        case FloatType:
            return typeCycle<float>(console);
        case DoubleType:
            return typeCycle<double>(console);
        case ComplexType:
            return typeCycle<Complex>(console);
        case FractionType:
            return typeCycle<Bruch>(console);
        default:
            return EndProgramChoice;
    }
}

}  // namespace

int selectElementType(console::Console& console) {
    MenuScreen screen(MenuScreen::Heading::Prompt,
                      "Bitte waehlen Sie den Datentyp der Matrixelemente:",
                      {rangeEntry<float>(), rangeEntry<double>(), "komplexe Zahlen", "Bruchzahl",
                       "Programm beenden"});
    return screen.choose(console);
}

int mainMenu(console::Console& console) {
    MenuScreen screen(MenuScreen::Heading::Title, "Hauptmenue: ",
                      {"Eingabe", "Ausgabe", "Arithmetic", "Matrix-Operationen", "Gleichungsloeser",
                       "Datentyp der Matrizen aendern", "Programm beenden"});
    return screen.choose(console);
}

int run(console::Console& console) {
    return console::runProgram(console, [&] {
        try {
            for (;;) {
                if (runTypeCycle(console) == EndProgramChoice) {
                    return 0;
                }
            }
        } catch (const console::EndOfInput&) {
            return 0;
        }
    });
}

}  // namespace zifferon::rechenpult
