// The benchmark program: Google Benchmark's own options, then the comparison and goal tables.
// With --zifferon_runs=N it runs itself N times as separate processes and judges every goal on
// the worst run. Exits with 1 when a benchmark failed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "algebra_bench.hpp"
#include "goal_report.hpp"
#include "separate_runs.hpp"

namespace {

constexpr std::string_view runsOption = "--zifferon_runs=";

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
              << ", GMP "
#if ZIFFERON_HAVE_GMP
              << "yes"
#else
              << "MISSING"
#endif
              << " (missing peers: bench/install-peers.sh)\n";
}

int printTables(const std::vector<zifferon::bench::Figures>& runs, int failedRuns) {
    const zifferon::bench::GoalTables tables(runs);
    tables.printComparisons(std::cout);
    tables.printGoals(std::cout);
    // Goals are reported, not enforced (the figures depend on the machine); a benchmark that
    // could not run, or whose results differ from the library's, fails the run.
    const int failures = tables.failures();
    if (failures != 0) {
        std::cout << "\n" << failures << " benchmark(s) failed, see ERROR OCCURRED above\n";
    }
    if (failedRuns != 0) {
        std::cout << "\n" << failedRuns << " process run(s) failed\n";
    }
    return failures == 0 && failedRuns == 0 ? 0 : 1;
}

// Runs the benchmarks in this process; their figures go to `figuresFile`, or as tables to
// standard output when it is empty.
int runHere(int argc, char** argv, const std::string& figuresFile) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    zifferon::bench::registerAlgebraBenchmarks();
    zifferon::bench::registerProgramBenchmarks();
    reportPeers();

    using Options = benchmark::ConsoleReporter::OutputOptions;
    zifferon::bench::FigureReporter reporter(isatty(STDOUT_FILENO) == 1 ? Options::OO_ColorTabular
                                                                        : Options::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (figuresFile.empty()) {
        return printTables({reporter.figures()}, 0);
    }
    std::ofstream out(figuresFile);
    zifferon::bench::writeFigures(out, reporter.figures());
    out.close();
    if (!out) {
        std::cerr << "cannot write " << figuresFile << '\n';
        return 1;
    }
    return zifferon::bench::GoalTables({reporter.figures()}).failures() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 1;
    std::string figuresFile;
    std::vector<std::string> passOn;
    std::vector<char*> here{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.substr(0, runsOption.size()) == runsOption) {
            runs = std::atoi(argv[i] + runsOption.size());
        } else if (argument.substr(0, std::string_view(zifferon::bench::figuresOption).size()) ==
                   zifferon::bench::figuresOption) {
            figuresFile = argument.substr(std::string_view(zifferon::bench::figuresOption).size());
        } else {
            passOn.emplace_back(argument);
            here.push_back(argv[i]);
        }
    }
    if (runs > 1) {
        const zifferon::bench::SeparateRuns separate = zifferon::bench::runSeparately(runs, passOn);
        return printTables(separate.runs, separate.failedRuns);
    }
    here.push_back(nullptr);
    return runHere(static_cast<int>(here.size()) - 1, here.data(), figuresFile);
}
