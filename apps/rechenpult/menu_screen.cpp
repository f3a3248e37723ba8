#include "menu_screen.hpp"

#include <ostream>

#include "zifferon/matrix/screen_header.hpp"

namespace zifferon::rechenpult {

int MenuScreen::choose(console::Console& console) {
    const int count = static_cast<int>(entries.size());
    for (;;) {
        draw(console);
        const int key = console.readKey();
        if (key == console::endOfInput) {
            throw console::EndOfInput{};
        }
        if (key == console::keyUp) {
            --highlight;
        } else if (key == console::keyDown) {
            ++highlight;
        }
        if (highlight > count) {
            highlight = 1;
        } else if (highlight < 1) {
            highlight = count;
        }
        if (key == console::keyEnter) {
            return highlight;
        }
    }
}

void MenuScreen::draw(console::Console& console) const {
    std::ostream& out = console.out();
    if (heading == Heading::Title) {
        writeScreenHeader(console, headingText.c_str());
    } else {
        writeScreenHeader(console);
        out << headingText << "\n\n";
    }
    // Without colours the highlight alone would not show: a marker goes before the highlighted
    // entry, and the others are indented to match.
    const bool marked = !console.showsColours();
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const bool highlighted = static_cast<int>(k) + 1 == highlight;
        if (marked) {
            out << (highlighted ? "> " : "  ");
        }
        console.setTextAttribute(highlighted ? console::attributeHighlight
                                             : console::attributeNormal);
        out << entries[k] << '\n';
    }
    console.setTextAttribute(console::attributeNormal);
}

}  // namespace zifferon::rechenpult
