#include "zifferon/console/stream_console.hpp"

#include <string>
#include <utility>

#include "zifferon/console/attribute.hpp"
#include "zifferon/console/key_decoder.hpp"
#include "zifferon/console/program_run.hpp"

namespace zifferon::console {

StreamConsole::StreamConsole(InputBuffer& input, std::ostream& out, std::ostream& err,
                             OutputTraits traits)
    : input(input), inStream(&input), outStream(out), errStream(err), traits(traits) {
    // A prompt is visible before its answer is awaited: the output is written out before the
    // input buffer takes more input, and, for typed input, before every read, as a line typed
    // ahead is read without waiting. A script from a file or pipe is thus not read with one
    // write per value. Text for the error stream shows up after everything written before it.
    input.flushBeforeReading(&outStream);
    if (input.interactive()) {
        inStream.tie(&outStream);
    }
    errStream.tie(&outStream);
    // A read error thrown by the input buffer reaches the program instead of looking like the
    // end of the input.
    inStream.exceptions(std::ios::badbit);
}

void StreamConsole::setTextAttribute(std::uint8_t attribute) {
    if (traits.colours) {
        outStream << sgrSequence(attribute);
        wroteColours = true;
    } else if (traits.escapes) {
        // The highlight, black on light grey, is the normal colours swapped. Written only when
        // it changes, so that a screen without highlight gets no escape sequence.
        const bool highlight = attribute == attributeHighlight;
        if (highlight != inverse) {
            outStream << (highlight ? sgrInverse : sgrInverseOff);
            inverse = highlight;
            wroteColours = true;
        }
    }
}

void StreamConsole::clearScreen() {
    if (traits.escapes) {
        outStream.flush();
        newScreen();
        outStream << "\x1b[H\x1b[2J";
    } else {
        outStream << '\f';
    }
}

int StreamConsole::readKey() {
    if (pendingKey != endOfInput) {
        return std::exchange(pendingKey, endOfInput);
    }
    commitOutput(outStream);
    dropRestOfLine(LineRest::upToLineEnd);
    beginKeyWait();
    int key = endOfInput;
    try {
        key = decodeNextKey();
    } catch (...) {
        endKeyWait();
        throw;
    }
    endKeyWait();
    noteKeyRead();
    return key;
}

void StreamConsole::pause() {
    outStream << pausePrompt;
    readKey();
    pendingKey = endOfInput;  // the whole key, both codes of an arrow
    outStream << '\n';
}

void StreamConsole::dropRestOfLine(LineRest extent) {
    if (input.consumed() == consumedAfterLastKey || input.lastConsumed() == '\n') {
        return;
    }
    while (extent == LineRest::upToLineEnd || input.in_avail() > 0) {
        const int c = input.sbumpc();
        if (c == std::char_traits<char>::eof() || c == '\n') {
            return;
        }
    }
}

int StreamConsole::decodeNextKey() {
    const int first = input.sbumpc();
    if (first == std::char_traits<char>::eof()) {
        return endOfInput;
    }
    std::string bytes(1, static_cast<char>(first));
    DecodedKey key = decodeKey(bytes, true);
    while (!key.complete) {
        if (!input.waitForInput(escapeTimeout)) {
            key = decodeKey(bytes, false);
            break;
        }
        bytes.push_back(static_cast<char>(input.sbumpc()));
        key = decodeKey(bytes, true);
    }
    // A byte read past the key (ESC followed by an ordinary byte) is the next key.
    for (std::size_t extra = bytes.size() - key.length; extra > 0; --extra) {
        input.sungetc();
    }
    if (key.codeCount == 2) {
        pendingKey = key.codes[1];
    }
    return key.codes[0];
}

}  // namespace zifferon::console
