#include "fuzz_support.hpp"

#include <cstdio>
#include <cstdlib>

namespace zifferon::fuzzing {

void fail(const std::string& what) {
    std::fprintf(stderr, "finding: %s\n", what.c_str());
    std::abort();
}

}  // namespace zifferon::fuzzing
