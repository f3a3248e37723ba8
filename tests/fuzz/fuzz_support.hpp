#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zifferon::fuzzing {

inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Whether every run of decimal digits in the text stands for a number of at most `limit`.
// The programs accept any size the machine's memory holds, and the calculator's adjugate grows
// with the fifth power of the size; the fuzzers keep to small sizes, so that each input runs in
// milliseconds and within the fuzzer's memory limit. Large numbers have their own fuzzers.
inline bool numbersAtMost(std::string_view text, unsigned limit) {
    unsigned value = 0;
    bool inNumber = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            value = inNumber ? value * 10 + static_cast<unsigned>(c - '0')
                             : static_cast<unsigned>(c - '0');
            inNumber = true;
            if (value > limit) {
                return false;
            }
        } else {
            inNumber = false;
        }
    }
    return true;
}

// Ends the process with a message: a finding.
[[noreturn]] void fail(const std::string& what);

}  // namespace zifferon::fuzzing
