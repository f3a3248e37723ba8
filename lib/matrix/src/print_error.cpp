#include "zifferon/matrix/print_error.hpp"

#include <ostream>

#include "zifferon/console/standard_console.hpp"

namespace zifferon {

void printError(const MatrixException& error, console::Console& console) {
    console.setTextAttribute(console::attributeError);
    console.out() << "Es ist folgender Fehler aufgetreten: " << std::endl;
    console.out() << error.message << "\n\n";
    console.setTextAttribute(console::attributeNormal);
}

void printError(const MatrixException& error) {
    printError(error, console::standardConsole());
}

}  // namespace zifferon
