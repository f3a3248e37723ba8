// One source for the four mass tests; SERIENLAUF_ELEMENT names the element type of each,
// SERIENLAUF_NAME the program.
#include <optional>

#include "command_line.hpp"
#include "platform.hpp"
#include "series_program.hpp"
#include "time_lapse.hpp"
#include "zifferon/console/program_run.hpp"
#include "zifferon/console/standard_console.hpp"

int main(int argc, char* argv[]) {
    using namespace zifferon;
    cli::Request request;
    if (const std::optional<int> status =
            cli::takeArguments(SERIENLAUF_NAME, argc, argv, request)) {
        return *status;
    }
    serienlauf::SystemClock systemClock;
    serienlauf::SystemSleeper systemSleeper;
    std::optional<serienlauf::TimeLapse> timeLapse;
    if (request.timeLapseStart) {
        timeLapse.emplace(*request.timeLapseStart);
    }
    serienlauf::Clock& clock =
        timeLapse ? static_cast<serienlauf::Clock&>(*timeLapse) : systemClock;
    serienlauf::Sleeper& sleeper =
        timeLapse ? static_cast<serienlauf::Sleeper&>(*timeLapse) : systemSleeper;
    serienlauf::StandardRandom random;
    console::Console& console = console::standardConsole();
    return console::runProgram(console, [&] {
        return serienlauf::runSeries<SERIENLAUF_ELEMENT>(
            console, clock, sleeper, random,
            timeLapse ? serienlauf::Pace::timeLapse : serienlauf::Pace::realTime);
    });
}
