#include "zifferon/console/attribute.hpp"

#include "zifferon/console/console.hpp"

namespace zifferon::console {

namespace {

// Windows numbers its colour bits blue, green, red; ANSI red, green, blue.
int ansiColour(unsigned nibble) {
    return ((nibble & 4U) ? 1 : 0) | ((nibble & 2U) ? 2 : 0) | ((nibble & 1U) ? 4 : 0);
}

}  // namespace

std::string sgrSequence(std::uint8_t attribute) {
    if (attribute == attributeNormal) {
        return sgrDefaultColours;
    }
    const unsigned foreground = attribute & 0x0FU;
    const unsigned background = attribute >> 4U;
    const int foregroundCode = ((foreground & 8U) ? 90 : 30) + ansiColour(foreground);
    const int backgroundCode = ((background & 8U) ? 100 : 40) + ansiColour(background);
    return "\x1b[" + std::to_string(foregroundCode) + ";" + std::to_string(backgroundCode) + "m";
}

}  // namespace zifferon::console
