// probelauf on arbitrary scripts: it ends with status 0, or with status 1 and exactly one
// message line about the script on the error stream; it never crashes or hangs.
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_support.hpp"
#include "probelauf.hpp"
#include "zifferon/console/stream_console.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zifferon;
    const std::string_view script = fuzzing::textOf(data, size);
    if (!fuzzing::numbersAtMost(script, 64)) {
        return -1;  // not kept in the corpus
    }
    console::StringInput input{std::string(script)};
    std::ostringstream out, err;
    console::StreamConsole console(input, out, err, false);
    const int status = probelauf::run(console);
    if (status == 1) {
        const std::string message = err.str();
        const std::size_t start = message.rfind("Fehler im Testskript");
        if (start == std::string::npos || message.find('\n', start) != message.size() - 1) {
            fuzzing::fail("status 1 without its one message: " + message);
        }
    } else if (status != 0) {
        fuzzing::fail("status " + std::to_string(status));
    }
    return 0;
}
