// The benchmark program: Google Benchmark's own options (repetitions, aggregates, JSON output).
// The bench target runs it as separate processes and judges the goals on their JSON output
// (bench/goals.py).
#include <benchmark/benchmark.h>

#include <vector>

#include "algebra_bench.hpp"
#include "heap_counting.hpp"

namespace {

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
    std::vector<char*> arguments(argv, argv + argc);
    int count = argc;
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) {
        return 1;
    }
    benchmark::AddCustomContext("peers", peers);
    zifferon::bench::registerHeapCounting();
    zifferon::bench::registerAlgebraBenchmarks();
    zifferon::bench::registerProgramBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
