#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zifferon::probelauf {

// The text with every control character shown instead of acted on, so that a word from the
// script cannot set a terminal's title or clear its screen: C0 controls and DEL in caret
// notation ("^[", "^?"), C1 controls (as one byte, or UTF-8 encoded) as "M-" and the caret
// form of the byte less 0x80 ("M-^["). Everything else, UTF-8 letters included, stays.
std::string visibleText(std::string_view text);

// A word from the script as an error message quotes it: visible as above, and cut after
// `longest` bytes (at a character boundary) with "..." appended, so that a runaway word
// cannot flood the message.
std::string quotedWord(std::string_view word, std::size_t longest = 40);

}  // namespace zifferon::probelauf
