#pragma once

#include "zifferon/matrix/matrix_exception.hpp"

namespace zifferon {

namespace console {
class Console;
}

// Shows a MatrixException: in bright red (attribute 12) the heading
// "Es ist folgender Fehler aufgetreten: " and a line end, then the message, a line end and an
// empty line; afterwards the attribute is normal (7), whatever it was before.
void printError(const MatrixException& error, console::Console& console);

// The same text for a program of its own, on std::cout and without colours: in order with what
// the program wrote there before, and flushed at once.
void printError(const MatrixException& error);

}  // namespace zifferon
