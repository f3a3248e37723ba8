#include "zifferon/console/key_decoder.hpp"

#include "zifferon/console/console.hpp"

namespace zifferon::console {

namespace {

constexpr char escape = '\x1b';
// A longer run without a final byte is garbage, not a sequence still arriving.
constexpr std::size_t longestSequence = 32;

DecodedKey single(int code, std::size_t length) {
    return DecodedKey{true, {code, 0}, 1, length};
}

DecodedKey arrow(int code, std::size_t length) {
    return DecodedKey{true, {keyArrowPrefix, code}, 2, length};
}

DecodedKey incomplete() {
    return DecodedKey{};
}

DecodedKey decodeFinal(char final, std::size_t length) {
    if (final == 'A') {
        return arrow(keyUp, length);
    }
    if (final == 'B') {
        return arrow(keyDown, length);
    }
    return single(keyEscape, length);
}

// ESC [ parameter bytes (0x30-0x3F), intermediate bytes (0x20-0x2F), one final byte (0x40-0x7E).
DecodedKey decodeControlSequence(std::string_view bytes, bool moreMayFollow) {
    std::size_t i = 2;
    while (i < bytes.size() && bytes[i] >= 0x20 && bytes[i] <= 0x3F && i < longestSequence) {
        ++i;
    }
    if (i == bytes.size() && moreMayFollow && i < longestSequence) {
        return incomplete();
    }
    if (i < bytes.size() && bytes[i] >= 0x40 && bytes[i] <= 0x7E) {
        // Only the plain sequences are arrows; with parameters (a modifier) it is another key.
        return i == 2 ? decodeFinal(bytes[i], i + 1) : single(keyEscape, i + 1);
    }
    // Cut off or broken: what was read so far counts as one other key.
    return single(keyEscape, i);
}

}  // namespace

DecodedKey decodeKey(std::string_view bytes, bool moreMayFollow) {
    const char first = bytes.front();
    if (first == '\r' || first == '\n') {
        return single(keyEnter, 1);
    }
    if (first != escape) {
        return single(static_cast<unsigned char>(first), 1);
    }
    if (bytes.size() == 1) {
        return moreMayFollow ? incomplete() : single(keyEscape, 1);
    }
    if (bytes[1] == '[') {
        return decodeControlSequence(bytes, moreMayFollow);
    }
    if (bytes[1] == 'O') {
        if (bytes.size() == 2) {
            return moreMayFollow ? incomplete() : single(keyEscape, 2);
        }
        return decodeFinal(bytes[2], 3);
    }
    // ESC followed by an ordinary byte: a lone Escape, and the byte is the next key.
    return single(keyEscape, 1);
}

}  // namespace zifferon::console
