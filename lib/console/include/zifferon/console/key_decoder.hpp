#pragma once

#include <cstddef>
#include <string_view>

namespace zifferon::console {

// What the first bytes of the input mean as a key press.
struct DecodedKey {
    bool complete = false;  // false: the bytes may start a longer sequence; read more
    int codes[2] = {0, 0};  // the key codes, in the order readKey returns them
    int codeCount = 0;
    std::size_t length = 0;  // bytes that belong to this key
};

// Decodes one key from the start of `bytes` (not empty). CR and LF are Enter (13); the arrow
// sequences ESC [ A / ESC O A and ESC [ B / ESC O B are Up and Down as the prefix 224 followed by
// 72 or 80; any other escape sequence is one Escape key (27) and is consumed whole; any other
// byte is its own code. When `moreMayFollow` is false the result is always complete, so a lone
// ESC or a cut-off sequence is one Escape key.
DecodedKey decodeKey(std::string_view bytes, bool moreMayFollow);

}  // namespace zifferon::console
