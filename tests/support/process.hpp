#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zifferon::testing {

struct ProcessResult {
    std::string out;
    std::string err;
    int status = 0;  // as from waitpid

    bool exitedWith(int code) const;
};

// Runs a program with its standard input fed from `input` through a pipe and its standard
// output and error read through pipes, as in a shell pipeline. `prepare`, when given, runs in
// the child just before the program starts: a redirection, a limit, a signal disposition.
ProcessResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input, const std::function<void()>& prepare = nullptr);

}  // namespace zifferon::testing
