#include <iostream>
#include <optional>

#include "calculator.hpp"
#include "command_line.hpp"
#include "zifferon/console/standard_console.hpp"

int main(int argc, char* argv[]) {
    using namespace zifferon;
    // Answered before the console exists, so that the terminal is left as it is.
    cli::Request request;
    if (const std::optional<int> status =
            cli::take(cli::syntaxOf("rechenpult"), cli::argumentsOf(argc, argv), request, std::cout,
                      std::cerr)) {
        return *status;
    }
    return rechenpult::run(console::standardConsole());
}
