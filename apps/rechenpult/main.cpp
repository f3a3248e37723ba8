#include <optional>

#include "calculator.hpp"
#include "command_line.hpp"
#include "zifferon/console/standard_console.hpp"

int main(int argc, char* argv[]) {
    zifferon::cli::Request request;
    if (const std::optional<int> status =
            zifferon::cli::takeArguments("rechenpult", argc, argv, request)) {
        return *status;
    }
    return zifferon::rechenpult::run(zifferon::console::standardConsole());
}
