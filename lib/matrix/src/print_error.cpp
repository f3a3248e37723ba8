#include "zifferon/matrix/print_error.hpp"

#include <iostream>

#include "zifferon/console/console.hpp"

namespace zifferon {

namespace {

void writeError(const MatrixException& error, std::ostream& out) {
    out << "Es ist folgender Fehler aufgetreten: " << std::endl;
    out << error.message << "\n\n";
}

}  // namespace

void printError(const MatrixException& error, console::Console& console) {
    console.setTextAttribute(console::attributeError);
    writeError(error, console.out());
    console.setTextAttribute(console::attributeNormal);
}

// A program of its own writes through std::cout: the error joins that text where it happened,
// and is flushed so that it also comes before what the program writes to stderr next. The
// standard console is not used: it would take over the terminal's signals and buffer its text
// apart from std::cout.
void printError(const MatrixException& error) {
    writeError(error, std::cout);
    std::cout.flush();
}

}  // namespace zifferon
