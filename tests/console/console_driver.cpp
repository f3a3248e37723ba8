// Runs terminal-layer actions named on the command line against the process's standard
// console, reporting each result on a line of its own, for the terminal and pipe tests:
//   key            wait for a key, report "key <code>"
//   word           read a word in line mode, report "word <text>" or "word <end>"
//   pause          the pause prompt and its key, then "paused"
//   attr:<number>  set a text attribute
//   clear          clear the screen
//   sleep          wait 30 seconds
//   signal-at-raw:<number>
//                  send the signal to the driver itself the moment the terminal next switches
//                  to raw mode, before the terminal layer can have noted the switch
#include <cstdint>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "zifferon/console/standard_console.hpp"
#include "zifferon/console/system.hpp"

#ifndef _WIN32
#include <signal.h>
#include <termios.h>

namespace {

int signalAtRawSwitch = 0;

}  // namespace

// The terminal layer's mode changes pass through here: the driver is linked with
// --wrap=tcsetattr.
extern "C" int __real_tcsetattr(int fd, int actions, const termios* mode);

extern "C" int __wrap_tcsetattr(int fd, int actions, const termios* mode) {
    const int result = __real_tcsetattr(fd, actions, mode);
    if (signalAtRawSwitch != 0 && (mode->c_lflag & ICANON) == 0) {
        raise(std::exchange(signalAtRawSwitch, 0));
    }
    return result;
}
#endif

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
#ifndef _WIN32
        } else if (action.starts_with("signal-at-raw:")) {
            signalAtRawSwitch = std::stoi(argv[i] + action.find(':') + 1);
#endif
        }
        out << std::flush;
    }
    return 0;
}
