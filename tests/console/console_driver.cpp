// Runs terminal-layer actions named on the command line against the process's standard
// console, reporting each result on a line of its own, for the terminal and pipe tests:
//   key            wait for a key, report "key <code>"
//   word           read a word in line mode, report "word <text>" or "word <end>"
//   pause          the pause prompt and its key, then "paused"
//   attr:<number>  set a text attribute
//   clear          clear the screen
//   sleep          wait 30 seconds
#include <cstdint>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "zifferon/console/standard_console.hpp"
#include "zifferon/console/system.hpp"

int main(int argc, char** argv) {
    zifferon::console::Console& console = zifferon::console::standardConsole();
    std::ostream& out = console.out();
    for (int i = 1; i < argc; ++i) {
        const std::string_view action = argv[i];
        if (action == "key") {
            out << "await key\n";
            const int key = console.readKey();
            out << "key " << key << '\n';
        } else if (action == "word") {
            out << "await word\n" << std::flush;
            std::string word;
            const bool read = static_cast<bool>(console.in() >> word);
            out << "word " << (read ? word : "<end>") << '\n';
        } else if (action == "pause") {
            console.pause();
            out << "paused\n";
        } else if (action.starts_with("attr:")) {
            console.setTextAttribute(static_cast<std::uint8_t>(std::stoi(argv[i] + 5)));
        } else if (action == "clear") {
            console.clearScreen();
        } else if (action == "sleep") {
            zifferon::console::sleepMilliseconds(30'000);
        }
        out << std::flush;
    }
    return 0;
}
