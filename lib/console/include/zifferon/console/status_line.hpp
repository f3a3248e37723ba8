#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace zifferon::console {

// One line on a terminal that a long run keeps up to date: each text replaces the one before,
// with the cursor left at its end. Where escape sequences work, a text ends by erasing what is
// left of the line; on a terminal without them ("dumb") blanks cover what a longer text left
// behind. Other output to the same terminal goes between hide() and the next show().
//
// Every text is written in one piece. A status text that cannot be written is no failure of the
// run: the stream's state is left as it was, for the messages that may follow.
class StatusLine {
public:
    enum class Style { escapes, plain };

    // `noteOpen` (may be null) hears whether a text stands on the line without a line break
    // after it, for ending the line when the program is ended by a signal.
    StatusLine(std::ostream& terminal, Style style, void (*noteOpen)(bool) = nullptr)
        : terminal(terminal), style(style), noteOpen(noteOpen) {}
    // Ends the line as it stands, so that what follows starts on a line of its own.
    ~StatusLine();
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;

    void show(std::string_view text);
    // Leaves the line empty with the cursor at its start.
    void hide();
    // Shows `text` and ends the line: it stays on the screen.
    void close(std::string_view text);

private:
    // The bytes that put `text` in place of what the line shows now.
    std::string replacement(std::string_view text) const;
    void write(const std::string& bytes);
    void setOpen(bool open);

    std::ostream& terminal;
    Style style;
    void (*noteOpen)(bool);
    std::size_t shownLength = 0;  // what blanks must cover on a plain terminal
    bool open = false;
};

}  // namespace zifferon::console
