// The benchmark program: Google Benchmark's own options, then the comparison and goal tables.
// Exits with 1 when a benchmark failed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <iostream>

#include "algebra_bench.hpp"
#include "goal_report.hpp"

namespace {

void reportPeers() {
    std::cout << "Peers: Eigen 3 "
#if ZIFFERON_HAVE_EIGEN
              << "yes"
#else
              << "MISSING"
#endif
              << ", boost::rational "
#if ZIFFERON_HAVE_BOOST
              << "yes"
#else
              << "MISSING"
#endif
              << ", GMP mpq_class "
#if ZIFFERON_HAVE_GMP
              << "yes"
#else
              << "MISSING"
#endif
              << " (missing peers: bench/install-peers.sh)\n";
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    zifferon::bench::registerAlgebraBenchmarks();
    zifferon::bench::registerProgramBenchmarks();
    reportPeers();

    using Options = benchmark::ConsoleReporter::OutputOptions;
    zifferon::bench::GoalReporter reporter(isatty(STDOUT_FILENO) == 1 ? Options::OO_ColorTabular
                                                                      : Options::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printComparisons(std::cout);
    reporter.printGoals(std::cout);
    benchmark::Shutdown();
    // Goals are reported, not enforced (the figures depend on the machine); a benchmark that
    // could not run, or whose results differ from the library's, fails the run.
    if (const int failures = reporter.failures(); failures != 0) {
        std::cout << "\n" << failures << " benchmark(s) failed, see ERROR OCCURRED above\n";
        return 1;
    }
    return 0;
}
