#include "zifferon/console/status_line.hpp"

namespace zifferon::console {

namespace {

constexpr std::string_view eraseToLineEnd = "\x1b[K";

}  // namespace

StatusLine::~StatusLine() {
    if (open) {
        write("\n");
        setOpen(false);
    }
}

std::string StatusLine::replacement(std::string_view text) const {
    std::string bytes = "\r";
    bytes += text;
    if (style == Style::escapes) {
        bytes += eraseToLineEnd;
    } else if (text.size() < shownLength) {
        // Blanks over the rest of the longer text, then back to the end of this one.
        bytes.append(shownLength - text.size(), ' ');
        bytes += '\r';
        bytes += text;
    }
    return bytes;
}

void StatusLine::show(std::string_view text) {
    // Open before the text goes out: a signal in the middle of it still ends the line.
    setOpen(true);
    write(replacement(text));
    shownLength = text.size();
}

void StatusLine::hide() {
    write(replacement(""));
    shownLength = 0;
    setOpen(false);
}

void StatusLine::close(std::string_view text) {
    setOpen(true);
    write(replacement(text) + "\n");
    shownLength = 0;
    setOpen(false);
}

void StatusLine::write(const std::string& bytes) {
    const std::ios::iostate state = terminal.rdstate();
    terminal.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    terminal.flush();
    terminal.clear(state);
}

void StatusLine::setOpen(bool isOpen) {
    open = isOpen;
    if (noteOpen != nullptr) {
        noteOpen(isOpen);
    }
}

}  // namespace zifferon::console
