// One source for the four mass tests; SERIENLAUF_ELEMENT names the element type of each.
#include "platform.hpp"
#include "serienlauf.hpp"
#include "zifferon/console/program_run.hpp"
#include "zifferon/console/standard_console.hpp"

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
