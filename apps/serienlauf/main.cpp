// One source for the four mass tests; SERIENLAUF_ELEMENT names the element type of each.
#include "console/standard_console.hpp"
#include "platform.hpp"
#include "serienlauf.hpp"

int main() {
    zifferon::serienlauf::SystemClock clock;
    zifferon::serienlauf::SystemSleeper sleeper;
    zifferon::serienlauf::StandardRandom random;
    return zifferon::serienlauf::runSeries<SERIENLAUF_ELEMENT>(
        zifferon::console::standardConsole().out(), clock, sleeper, random);
}
