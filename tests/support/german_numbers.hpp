#pragma once

#include <locale>
#include <string>

namespace zifferon::testing {

// A locale whose numbers read and print as in German text: a decimal comma and a point between
// groups of three digits (1.234,5). Built on the classic locale, so it exists on every machine.
inline std::locale germanNumbers() {
    struct GermanPunctuation : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    return std::locale(std::locale::classic(), new GermanPunctuation);
}

}  // namespace zifferon::testing
