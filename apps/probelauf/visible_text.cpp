#include "visible_text.hpp"

namespace zifferon::probelauf {

namespace {

// "^" and the letter of a C0 control (0x00 to 0x1F) or DEL.
void appendCaret(std::string& out, unsigned char byte) {
    out += '^';
    out += static_cast<char>(byte == 0x7F ? '?' : byte + 0x40);
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

}  // namespace

std::string visibleText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            appendCaret(out, byte);
        } else if (byte == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080 to U+009F: a C1 control for a UTF-8 terminal.
            out += "M-";
            appendCaret(out, static_cast<unsigned char>(text[++i]) - 0x80);
        } else if (byte >= 0x80 && byte <= 0x9F &&
                   (i == 0 || static_cast<unsigned char>(text[i - 1]) < 0x80)) {
            // A byte of the C1 range that is not inside a UTF-8 character: an 8-bit terminal
            // takes it as a control.
            out += "M-";
            appendCaret(out, byte - 0x80);
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::string quotedWord(std::string_view word, std::size_t longest) {
    std::string shown = visibleText(word);
    if (shown.size() <= longest) {
        return shown;
    }
    std::size_t cut = longest;
    while (cut > 0 && isContinuation(static_cast<unsigned char>(shown[cut]))) {
        --cut;
    }
    shown.resize(cut);
    return shown + "...";
}

}  // namespace zifferon::probelauf
