#pragma once

#include <cstdint>
#include <sstream>
#include <string>

#include "zifferon/console/console.hpp"

namespace zifferon::testing {

// A console that writes what a terminal would show as marks into the text: "<12>" for a text
// attribute, "<pause>" and a line break for a pause. Input comes from a fixed text.
class MarkingConsole : public console::Console {
public:
    explicit MarkingConsole(const std::string& input = "") : input(input) {}

    std::istream& in() override { return input; }
    std::ostream& out() override { return output; }
    std::ostream& err() override { return errors; }
    void setTextAttribute(std::uint8_t attribute) override {
        output << '<' << static_cast<int>(attribute) << '>';
    }
    void clearScreen() override { output << "<cls>"; }
    int readKey() override { return console::endOfInput; }
    void pause() override { output << "<pause>\n"; }

    std::istringstream input;
    std::ostringstream output;
    std::ostringstream errors;
};

}  // namespace zifferon::testing
