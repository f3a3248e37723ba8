// The calculator driven by arbitrary keys and lines, in each of the four element types (the
// first byte picks it): every session ends with status 0, without a crash or a hang.
#include <cstdint>
#include <sstream>
#include <string>

#include "calculator.hpp"
#include "fuzz_support.hpp"
#include "zifferon/console/stream_console.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zifferon;
    if (size == 0) {
        return -1;
    }
    const std::string_view keys = fuzzing::textOf(data + 1, size - 1);
    if (!fuzzing::numbersAtMost(keys, 20)) {
        return -1;  // not kept in the corpus
    }
    // The type selection: down to the chosen type, Enter.
    const std::string script = std::string(data[0] % 4, 'P') + "\r" + std::string(keys);
    console::StringInput input(script);
    std::ostringstream out, err;
    console::StreamConsole console(input, out, err, (data[0] & 4) != 0);
    if (rechenpult::run(console) != 0) {
        fuzzing::fail("the calculator ended with another status than 0");
    }
    return 0;
}
