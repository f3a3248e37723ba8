#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "figures.hpp"

namespace zifferon::bench {

// The console reporter that also keeps every benchmark's figure (the median when the runs are
// repeated).
class FigureReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override;
    const Figures& figures() const { return collected; }

private:
    Figures collected;
};

// The comparison and goal tables, as Markdown, over the figures of one or more separate process
// runs. Times are the median over the runs; a ratio is formed within each run, and with several
// runs its spread (min-max) is shown. A goal is judged on its worst run.
class GoalTables {
public:
    explicit GoalTables(std::vector<Figures> runs) : runs(std::move(runs)) {}

    void printComparisons(std::ostream& out) const;
    void printGoals(std::ostream& out) const;
    // Benchmarks that failed in some run for another reason than a missing peer: a result that
    // differs from the library's, or a program that did not answer.
    int failures() const;

private:
    // One value per run in which it was measured.
    using PerRun = std::vector<double>;
    PerRun seconds(const std::string& name) const;
    PerRun counter(const std::string& name, const std::string& key) const;
    // seconds(numerator) / seconds(denominator), within each run.
    PerRun ratio(const std::string& numerator, const std::string& denominator) const;
    // The median of the values and, with more than one, their range: "1.02 (0.98-1.05)".
    std::string spread(const PerRun& values,
                       const std::function<std::string(double)>& format) const;

    std::vector<Figures> runs;
};

}  // namespace zifferon::bench
