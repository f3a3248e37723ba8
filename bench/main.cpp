// The benchmark program: Google Benchmark's own options (repetitions, aggregates, JSON output)
// and --zifferon_baseline=PATH, an earlier build of probelauf to time this one against. The
// bench target runs it as separate processes and judges the goals on their JSON output
// (bench/goals.py).
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "algebra_bench.hpp"
#include "heap_counting.hpp"

namespace {

constexpr std::string_view baselineOption = "--zifferon_baseline=";

constexpr const char* peers =
    "Eigen 3 "
#if ZIFFERON_HAVE_EIGEN
    "yes"
#else
    "MISSING"
#endif
    ", boost::rational "
#if ZIFFERON_HAVE_BOOST
    "yes"
#else
    "MISSING"
#endif
    ", GMP "
#if ZIFFERON_HAVE_GMP
    "yes"
#else
    "MISSING"
#endif
    " (missing peers: bench/install-peers.sh)";

}  // namespace

int main(int argc, char** argv) {
    std::string baseline;
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with(baselineOption)) {
            baseline = argument.substr(baselineOption.size());
        } else {
            arguments.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) {
        return 1;
    }
    benchmark::AddCustomContext("peers", peers);
    benchmark::AddCustomContext("baseline probelauf", baseline.empty() ? "none" : baseline);
    zifferon::bench::registerHeapCounting();
    zifferon::bench::registerAlgebraBenchmarks();
    zifferon::bench::registerProgramBenchmarks();
    zifferon::bench::registerProcessBenchmarks(baseline);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
