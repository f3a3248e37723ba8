#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "zifferon/console/system.hpp"

namespace zifferon::cli {

// The usual status for a command line the program does not take.
inline constexpr int exitUsage = 64;

// What a program takes besides --help and --version.
enum class Takes {
    nothing,
    file,       // one operand: a file to read, or "-" for standard input
    timeLapse,  // --zeitraffer, with an optional start time after "="
};

// A program's command line and how it describes itself.
struct Syntax {
    std::string name;   // "probelauf"
    std::string usage;  // the usage line: "Aufruf: probelauf [DATEI | --help | --version]"
    std::string help;   // the --help text between the usage line and the manual's line
    Takes takes = Takes::nothing;
};

// The syntax of one of the seven programs, by its name.
Syntax syntaxOf(std::string_view program);

// What the command line asks the program to do.
struct Request {
    std::optional<std::string> file;             // none: standard input
    std::optional<std::int64_t> timeLapseStart;  // calendar seconds; none: real time
};

// Takes the arguments from left to right into `request`. --help and --version are answered on
// `out` at once; an argument the program does not take is refused on `err` with one line naming
// it and the usage line. Either way the status to end with is returned: 0, exitUsage, or
// console::exitOutputLost when the answer could not be written. Otherwise the program runs.
// "--" ends the options: every argument after it is an operand.
std::optional<int> take(const Syntax& syntax, std::span<char* const> arguments, Request& request,
                        std::ostream& out, std::ostream& err);

// take() on main's arguments for the named program, answering on std::cout and std::cerr.
// Each program calls it before it makes its console, so that the terminal is left as it is.
std::optional<int> takeArguments(std::string_view program, int argc, char* const* argv,
                                 Request& request);

// Makes the requested file standard input, before the console is made. When it cannot be
// opened, the input error naming it goes to `err` and its status is returned.
std::optional<int> useRequestedInput(const Request& request, std::ostream& err);

// The local time that --zeitraffer=TEXT names: exactly JJJJ-MM-TTTHH:MM:SS, a day of the
// calendar in the years 1970 to 2999 and a time of day. None for any other text.
std::optional<console::LocalTime> parseLocalTime(std::string_view text);

}  // namespace zifferon::cli
