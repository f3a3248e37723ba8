#include "error_display.hpp"

#include <ostream>

namespace zifferon::rechenpult {

void showErrorText(console::Console& console, const char* text) {
    console.setTextAttribute(console::attributeAlarm);
    console.err() << "\nEs ist ein Fehler aufgetreten: \n" << text << "\n\n";
    console.setTextAttribute(console::attributeHighlight);
}

}  // namespace zifferon::rechenpult
