#pragma once

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
// output and error read through pipes, as in a shell pipeline.
ProcessResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input);

}  // namespace zifferon::testing
