#include "zifferon/matrix/screen_header.hpp"

#include <ostream>

namespace zifferon {

void writeScreenHeader(console::Console& console, const char* title) {
    console.clearScreen();
    std::ostream& out = console.out();
    out << bannerLine << "\n\n";
    if (title != nullptr) {
        out << '\n' << title << "\n\n";
    }
}

}  // namespace zifferon
