#pragma once

#include <ostream>
#include <string>

#include "zifferon/console/console.hpp"

namespace zifferon::console {

// Exit statuses shared by every program, beside 0 for success and a program's own.
inline constexpr int exitOutputLost = 2;   // output could not be written
inline constexpr int exitInputFailed = 3;  // input could not be read

// Throws OutputLost when anything written to `out` so far did not arrive. Cheap: it looks at
// the stream's state only, so what still sits in the buffer is checked at a later call.
void checkOutput(const std::ostream& out);
// Writes what is buffered, then checks as above.
void commitOutput(std::ostream& out);

// The one-line German messages, with the system's text for the cause where it is known.
std::string describe(const OutputLost& failure);
std::string describe(const InputFailed& failure);

// Runs a program's work and commits its output. Lost output and failed reads end the program
// with one line on the error stream and their exit status; a program never ends with 0 after
// losing output.
template <class Work>
int runProgram(Console& console, Work&& work) {
    try {
        try {
            const int status = work();
            commitOutput(console.out());
            return status;
        } catch (const InputFailed& failure) {
            // What was written before the failure still belongs in the output.
            commitOutput(console.out());
            console.err() << describe(failure) << '\n';
            return exitInputFailed;
        }
    } catch (const OutputLost& failure) {
        console.err() << describe(failure) << '\n';
        return exitOutputLost;
    }
}

}  // namespace zifferon::console
