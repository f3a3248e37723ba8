#include <optional>

#include "command_line.hpp"
#include "fehlerlauf.hpp"
#include "zifferon/console/standard_console.hpp"

int main(int argc, char* argv[]) {
    zifferon::cli::Request request;
    if (const std::optional<int> status =
            zifferon::cli::takeArguments("fehlerlauf", argc, argv, request)) {
        return *status;
    }
    return zifferon::fehlerlauf::run(zifferon::console::standardConsole());
}
