#include "goal_report.hpp"

#include <cstdio>
#include <string>

namespace zifferon::bench {

namespace {

const char* const operations[] = {"solve", "determinant", "product", "inverse", "adjugate"};
const char* const types[] = {"float", "double", "complex", "bruch"};
const int sizes[] = {3, 9, 50, 200};

std::string name(const std::string& operation, const std::string& type,
                 const std::string& implementation, int n) {
    return operation + "/" + type + "/" + implementation + "/" + std::to_string(n);
}

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string formatTime(double seconds) {
    if (seconds < 0) {
        return "-";
    }
    if (seconds < 1e-6) {
        return format("%.0f ns", seconds * 1e9);
    }
    if (seconds < 1e-3) {
        return format("%.3g us", seconds * 1e6);
    }
    if (seconds < 1) {
        return format("%.3g ms", seconds * 1e3);
    }
    return format("%.3g s", seconds);
}

std::string formatRatio(double ratio) {
    return ratio < 0 ? "-" : format("%.2f", ratio);
}

}  // namespace

void GoalReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        const bool isMedian = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !isMedian) {
            continue;
        }
        Figure& figure = figures[run.run_name.function_name];
        if (figure.isMedian && !isMedian) {
            continue;
        }
        figure.isMedian = isMedian;
        figure.error = run.error_occurred ? run.error_message : "";
        // Processor time: every case runs on one thread, and a busy neighbour then inflates
        // the figures much less than it does the wall-clock time. The calculator's figures are
        // wall-clock times of its own.
        figure.seconds = run.iterations > 0
                             ? run.cpu_accumulated_time / static_cast<double>(run.iterations)
                             : run.cpu_accumulated_time;
        figure.counters.clear();
        for (const auto& [key, counter] : run.counters) {
            figure.counters[key] = counter.value;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

int GoalReporter::failures() const {
    int count = 0;
    for (const auto& [name, figure] : figures) {
        if (!figure.error.empty() && figure.error.find("not installed") == std::string::npos) {
            ++count;
        }
    }
    return count;
}

const GoalReporter::Figure* GoalReporter::find(const std::string& name) const {
    const auto found = figures.find(name);
    return found == figures.end() || !found->second.error.empty() ? nullptr : &found->second;
}

double GoalReporter::ratio(const std::string& numerator, const std::string& denominator) const {
    const Figure* top = find(numerator);
    const Figure* bottom = find(denominator);
    if (top == nullptr || bottom == nullptr || bottom->seconds <= 0) {
        return -1;
    }
    return top->seconds / bottom->seconds;
}

void GoalReporter::printComparisons(std::ostream& out) const {
    out << "\n## Library, bare arrays and peers (medians)\n\n"
        << "| operation | type | n | library | bare arrays | library / bare | Eigen "
           "| library / Eigen | boost / library | GMP / library |\n"
        << "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const char* operation : operations) {
        for (const char* type : types) {
            for (const int n : sizes) {
                const Figure* library = find(name(operation, type, "library", n));
                if (library == nullptr) {
                    continue;
                }
                const Figure* bare = find(name(operation, type, "bare", n));
                const Figure* eigen = find(name(operation, type, "eigen", n));
                const std::string lib = name(operation, type, "library", n);
                out << "| " << operation << " | " << type << " | " << n << " | "
                    << formatTime(library->seconds) << " | "
                    << formatTime(bare ? bare->seconds : -1) << " | "
                    << formatRatio(ratio(lib, name(operation, type, "bare", n))) << " | "
                    << formatTime(eigen ? eigen->seconds : -1) << " | "
                    << formatRatio(ratio(lib, name(operation, type, "eigen", n))) << " | "
                    << formatRatio(ratio(name(operation, type, "boost", n), lib)) << " | "
                    << formatRatio(ratio(name(operation, type, "gmp", n), lib)) << " |\n";
            }
        }
    }
}

void GoalReporter::printGoals(std::ostream& out) const {
    out << "\n## Goals\n\n| figure | measured | goal | verdict |\n|---|---:|---:|---|\n";
    const auto row = [&out](const std::string& figure, const std::string& measured,
                            const std::string& goal, const std::string& verdict) {
        out << "| " << figure << " | " << measured << " | " << goal << " | " << verdict << " |\n";
    };
    const auto verdict = [](double value, bool met) {
        return value < 0 ? std::string("not measured") : std::string(met ? "met" : "MISSED");
    };
    const auto atMost = [&](const std::string& figure, double value, double limit) {
        row(figure, formatRatio(value), "<= " + format("%.2f", limit),
            verdict(value, value <= limit));
    };
    const auto atLeast = [&](const std::string& figure, double value, double limit) {
        row(figure, formatRatio(value), ">= " + format("%.1f", limit),
            verdict(value, value >= limit));
    };

    for (const char* operation : {"solve", "determinant", "product"}) {
        for (const int n : {9, 50, 200}) {
            atMost(std::string("library / bare arrays, double, ") + operation +
                       ", n = " + std::to_string(n),
                   ratio(name(operation, "double", "library", n),
                         name(operation, "double", "bare", n)),
                   1.25);
        }
    }
    for (const char* operation : {"solve", "determinant"}) {
        for (const char* type : {"float", "double", "complex"}) {
            for (const int n : {3, 9, 50, 200}) {
                const std::string figure = std::string("library / Eigen, ") + type + ", " +
                                           operation + ", n = " + std::to_string(n);
                const double value =
                    ratio(name(operation, type, "library", n), name(operation, type, "eigen", n));
                if (n <= 9) {
                    atMost(figure, value, 1.0);
                } else {
                    row(figure, formatRatio(value), "reported", value < 0 ? "not measured" : "-");
                }
            }
        }
    }
    for (const int n : {3, 9, 50}) {
        const std::string library = name("solve", "bruch", "library", n);
        atLeast("boost::rational / library, fractions, solve, n = " + std::to_string(n),
                ratio(name("solve", "bruch", "boost", n), library), 1.5);
        atLeast("mpq_class / library, fractions, solve, n = " + std::to_string(n),
                ratio(name("solve", "bruch", "gmp", n), library), 5.0);
    }
    atMost("probelauf / its I/O floor, 10000 cases",
           ratio("program/probelauf/10000", "program/probelauf-io-floor/10000"), 1.5);

    if (const Figure* redraw = find("program/rechenpult-redraw/1000")) {
        const double median =
            redraw->counters.count("median_ms") != 0 ? redraw->counters.at("median_ms") : -1;
        row("calculator, key to redrawn screen, median of 1000 keys", format("%.3f ms", median),
            "< 1 ms", verdict(median, median < 1.0));
    } else {
        row("calculator, key to redrawn screen, median of 1000 keys", "-", "< 1 ms",
            "not measured");
    }
    for (const char* type : types) {
        const Figure* table = find(std::string("program/serienlauf-table/") + type);
        const double seconds = table != nullptr ? table->seconds : -1;
        row(std::string("serienlauf, full fake-clock table, ") + type, formatTime(seconds),
            "< 10 s", verdict(seconds, seconds < 10.0));
    }
    for (const char* memory : {"memory/matrix-double/1000", "memory/probelauf-double/200"}) {
        const Figure* figure = find(memory);
        const double value = figure != nullptr && figure->counters.count("ratio") != 0
                                 ? figure->counters.at("ratio")
                                 : -1;
        atMost(std::string("peak heap / element bytes, ") + memory, value, 1.2);
    }
}

}  // namespace zifferon::bench
