#include "zifferon/console/program_run.hpp"

#include <cstring>
#include <ostream>

#include "output_buffer.hpp"

namespace zifferon::console {

namespace {

std::string withCause(const char* text, int error) {
    std::string message = text;
    if (error != 0) {
        message += ": ";
        message += std::strerror(error);
    }
    return message;
}

}  // namespace

void checkOutput(const std::ostream& out) {
    if (!out.bad()) {
        return;
    }
    const auto* buffer = dynamic_cast<const RecordsWriteFailure*>(out.rdbuf());
    throw OutputLost{buffer != nullptr ? buffer->writeFailure() : 0};
}

void commitOutput(std::ostream& out) {
    out.flush();
    checkOutput(out);
}

std::string describe(const OutputLost& failure) {
    return withCause("Fehler beim Schreiben der Ausgabe", failure.error);
}

std::string describe(const InputFailed& failure) {
    std::string text = "Fehler beim Lesen der Eingabe";
    if (!failure.source.empty()) {
        text += ": " + failure.source;
    }
    return withCause(text.c_str(), failure.error);
}

}  // namespace zifferon::console
