#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace zifferon::bench {

// The console reporter that also keeps every benchmark's figure (the median when the runs are
// repeated) and, after the run, prints the comparisons and the goals as Markdown tables.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override;
    void printComparisons(std::ostream& out) const;
    void printGoals(std::ostream& out) const;
    // Benchmarks that failed for another reason than a missing peer: a result that differs from
    // the library's, or a program that did not answer.
    int failures() const;

private:
    struct Figure {
        double seconds = 0;  // processor time per iteration
        std::map<std::string, double> counters;
        bool isMedian = false;
        std::string error;
    };
    const Figure* find(const std::string& name) const;
    // seconds(numerator) / seconds(denominator); negative when one is missing.
    double ratio(const std::string& numerator, const std::string& denominator) const;

    std::map<std::string, Figure> figures;
};

}  // namespace zifferon::bench
