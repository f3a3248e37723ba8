#include "calculator.hpp"

#include <limits>
#include <sstream>
#include <string>

#include "menu_screen.hpp"
#include "type_cycle.hpp"
#include "zifferon/console/program_run.hpp"

namespace zifferon::rechenpult {

namespace {

// The entries of the type selection, in their order on the screen.
enum class ElementTypeChoice { Float = 1, Double, Complex, Fraction, EndProgram };

// "Dezimalzahl im Bereich von <smallest normalised> bis <largest finite>", in the stream's
// default format and in the type's own precision.
template <class Float>
std::string rangeEntry() {
    std::ostringstream entry;
    entry << "Dezimalzahl im Bereich von " << std::numeric_limits<Float>::min() << " bis "
          << std::numeric_limits<Float>::max();
    return entry.str();
}

ElementTypeChoice selectElementType(console::Console& console) {
    MenuScreen screen(MenuScreen::Heading::Prompt,
                      "Bitte waehlen Sie den Datentyp der Matrixelemente:",
                      {rangeEntry<float>(), rangeEntry<double>(), "komplexe Zahlen", "Bruchzahl",
                       "Programm beenden"});
    return screen.choose<ElementTypeChoice>(console);
}

// The type selection, then one type cycle of the chosen type; returns the main-menu choice
// that ended it, or EndProgram.
MainMenuChoice selectAndRunTypeCycle(console::Console& console) {
    switch (selectElementType(console)) {
        case ElementTypeChoice::Float:
            return runTypeCycle<float>(console);
        case ElementTypeChoice::Double:
            return runTypeCycle<double>(console);
        case ElementTypeChoice::Complex:
            return runTypeCycle<Complex>(console);
        case ElementTypeChoice::Fraction:
            return runTypeCycle<Bruch>(console);
        case ElementTypeChoice::EndProgram:
            break;
    }
    return MainMenuChoice::EndProgram;
}

}  // namespace

int run(console::Console& console) {
    return console::runProgram(console, [&] {
        try {
            while (selectAndRunTypeCycle(console) != MainMenuChoice::EndProgram) {
            }
            return 0;
        } catch (const console::EndOfInput&) {
            return 0;
        }
    });
}

}  // namespace zifferon::rechenpult
