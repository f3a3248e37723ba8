// One source for the four mass tests; SERIENLAUF_ELEMENT names the element type of each.
#include "console/program_run.hpp"
#include "console/standard_console.hpp"
#include "platform.hpp"
#include "serienlauf.hpp"

int main() {
    zifferon::serienlauf::SystemClock clock;
    zifferon::serienlauf::SystemSleeper sleeper;
    zifferon::serienlauf::StandardRandom random;
    zifferon::console::Console& console = zifferon::console::standardConsole();
    return zifferon::console::runProgram(console, [&] {
        return zifferon::serienlauf::runSeries<SERIENLAUF_ELEMENT>(console.out(), clock, sleeper,
                                                                   random);
    });
}
