#include <iostream>
#include <optional>

#include "command_line.hpp"
#include "probelauf.hpp"
#include "zifferon/console/standard_console.hpp"

int main(int argc, char* argv[]) {
    zifferon::cli::Request request;
    if (const std::optional<int> status =
            zifferon::cli::takeArguments("probelauf", argc, argv, request)) {
        return *status;
    }
    // The script file becomes standard input, so it is read exactly as "< DATEI" would be.
    if (const std::optional<int> status = zifferon::cli::useRequestedInput(request, std::cerr)) {
        return *status;
    }
    return zifferon::probelauf::run(zifferon::console::standardConsole());
}
