#pragma once

#include <string>
#include <vector>

#include "zifferon/console/console.hpp"

namespace zifferon::rechenpult {

// A menu screen: a vertical list of entries with one highlighted, moved by Up and Down (or a
// typed H and P) with wrap-around and chosen with Enter. Every key redraws the whole screen.
// Where the console shows no colours, "> " marks the highlighted entry and the others are
// indented by two blanks.
//
// One object is one visit of the screen: the highlight starts on the first entry and stays on
// the chosen one when the screen is shown again after its action.
class MenuScreen {
public:
    enum class Heading {
        Title,   // empty line, title, empty line below the banner
        Prompt,  // the prompt and an empty line straight below the banner's empty line
    };

    MenuScreen(Heading heading, std::string headingText, std::vector<std::string> entries)
        : heading(heading), headingText(std::move(headingText)), entries(std::move(entries)) {}

    // Shows the screen until Enter is pressed and returns the highlighted entry's number,
    // counted from 1. Throws console::EndOfInput when no key can come any more.
    int choose(console::Console& console);
    // The same, as the caller's enumeration of the entries, which numbers them from 1.
    template <class Choice>
    Choice choose(console::Console& console) {
        return static_cast<Choice>(choose(console));
    }

private:
    void draw(console::Console& console) const;

    Heading heading;
    std::string headingText;
    std::vector<std::string> entries;
    int highlight = 1;
};

}  // namespace zifferon::rechenpult
