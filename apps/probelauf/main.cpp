#include <iostream>
#include <optional>

#include "command_line.hpp"
#include "probelauf.hpp"
#include "zifferon/console/standard_console.hpp"

int main(int argc, char* argv[]) {
    using namespace zifferon;
    // Answered before the console exists, so that the terminal is left as it is.
    cli::Request request;
    if (const std::optional<int> status =
            cli::take(cli::syntaxOf("probelauf"), cli::argumentsOf(argc, argv), request, std::cout,
                      std::cerr)) {
        return *status;
    }
    // The script file becomes standard input, so it is read exactly as "< DATEI" would be.
    if (const std::optional<int> status = cli::useRequestedInput(request, std::cerr)) {
        return *status;
    }
    return probelauf::run(console::standardConsole());
}
