#include "zifferon/console/standard_console.hpp"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>

#include <memory>
#include <ostream>

#include "console_window.hpp"
#include "handle_streams.hpp"
#include "keyboard.hpp"
#include "zifferon/console/program_run.hpp"
#include "zifferon/console/stream_console.hpp"

namespace zifferon::console {

namespace {

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

// The streams come first, as a base, so they exist before the console that uses them.
struct StandardHandles {
    StandardHandles()
        : inputHandle(GetStdHandle(STD_INPUT_HANDLE)),
          inputIsConsole(isConsole(inputHandle)),
          outputIsConsole(isConsole(GetStdHandle(STD_OUTPUT_HANDLE))),
          input(inputHandle),
          outputBuffer({GetStdHandle(STD_OUTPUT_HANDLE)}, true),
          errorBuffer({GetStdHandle(STD_ERROR_HANDLE)}, false),
          output(&outputBuffer),
          error(&errorBuffer) {}

    HANDLE inputHandle;
    bool inputIsConsole;
    bool outputIsConsole;
    windows::HandleInput input;
    windows::HandleOutput outputBuffer;
    windows::HandleOutput errorBuffer;
    std::ostream output;
    std::ostream error;
};

// Redirected input and output behave exactly as on every other platform (the stream console's
// byte decoding, no colours, a form feed for a cleared screen); a console window gets its
// colours and clearing from the console API and its keys from _getch.
class WindowsConsole final : private StandardHandles, public StreamConsole {
public:
    WindowsConsole() : StreamConsole(StandardHandles::input, output, error, false) {
        if (outputIsConsole) {
            windows::ConsoleWindow::install(GetStdHandle(STD_OUTPUT_HANDLE));
        }
    }

    ~WindowsConsole() override {
        output.flush();
        windows::ConsoleWindow::restore();
    }

    void setTextAttribute(std::uint8_t attribute) override {
        if (outputIsConsole) {
            // Text written so far takes the old colour.
            output.flush();
            windows::ConsoleWindow::setTextAttribute(attribute);
        }
    }

    bool showsColours() const override { return outputIsConsole; }

    // The console window's own line editing: a carriage return and blanks, no escapes.
    std::unique_ptr<StatusLine> openStatusLine() override {
        if (!isConsole(GetStdHandle(STD_ERROR_HANDLE))) {
            return nullptr;
        }
        return std::make_unique<StatusLine>(error, StatusLine::Style::plain);
    }

    void clearScreen() override {
        if (!outputIsConsole) {
            StreamConsole::clearScreen();
            return;
        }
        output.flush();
        windows::ConsoleWindow::clear();
    }

    int readKey() override {
        if (!inputIsConsole) {
            return StreamConsole::readKey();
        }
        commitOutput(output);
        // As with piped input, the rest of a line from which a value was read is no key press.
        // The console hands over whole lines, so that rest is already buffered.
        dropRestOfLine(LineRest::bufferedOnly);
        const int key = windows::readConsoleKey(inputHandle);
        noteKeyRead();
        return key;
    }

    void pause() override {
        if (!inputIsConsole) {
            StreamConsole::pause();
            return;
        }
        output << pausePrompt;
        // The whole key: an arrow's second code must not reach the next read.
        const int key = readKey();
        if (key == 0 || key == keyArrowPrefix) {
            windows::readConsoleKey(inputHandle);
        }
        output << '\n';
    }
};

}  // namespace

void useFileAsStandardInput(const std::string& path) {
    // The runtime's open gives the error number the messages name (a directory: EACCES). The
    // descriptor stays open for the whole run.
    const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        throw InputFailed{errno, path};
    }
    SetStdHandle(STD_INPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
}

Console& standardConsole() {
    static WindowsConsole console;
    return console;
}

}  // namespace zifferon::console
