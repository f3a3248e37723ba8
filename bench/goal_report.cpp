#include "goal_report.hpp"

#include <algorithm>
#include <cstdio>
#include <string>

namespace zifferon::bench {

namespace {

const char* const operations[] = {"solve", "determinant", "product", "inverse", "adjugate"};
const char* const types[] = {"float", "double", "complex", "bruch", "bruch-general"};
const int sizes[] = {3, 4, 5, 6, 9, 16, 50, 200};

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
    return format("%.2f", ratio);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

void FigureReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        const bool isMedian = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !isMedian) {
            continue;
        }
        Figure& figure = collected[run.run_name.function_name];
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

int GoalTables::failures() const {
    int count = 0;
    for (const Figures& run : runs) {
        for (const auto& [name, figure] : run) {
            if (!figure.error.empty() && figure.error.find("not installed") == std::string::npos) {
                ++count;
            }
        }
    }
    return count;
}

GoalTables::PerRun GoalTables::seconds(const std::string& name) const {
    PerRun values;
    for (const Figures& run : runs) {
        const auto found = run.find(name);
        if (found != run.end() && found->second.error.empty()) {
            values.push_back(found->second.seconds);
        }
    }
    return values;
}

GoalTables::PerRun GoalTables::counter(const std::string& name, const std::string& key) const {
    PerRun values;
    for (const Figures& run : runs) {
        const auto found = run.find(name);
        if (found != run.end() && found->second.error.empty() &&
            found->second.counters.count(key) != 0) {
            values.push_back(found->second.counters.at(key));
        }
    }
    return values;
}

GoalTables::PerRun GoalTables::ratio(const std::string& numerator,
                                     const std::string& denominator) const {
    PerRun values;
    for (const Figures& run : runs) {
        const auto top = run.find(numerator);
        const auto bottom = run.find(denominator);
        if (top != run.end() && bottom != run.end() && top->second.error.empty() &&
            bottom->second.error.empty() && bottom->second.seconds > 0) {
            values.push_back(top->second.seconds / bottom->second.seconds);
        }
    }
    return values;
}

std::string GoalTables::spread(const PerRun& values,
                               const std::function<std::string(double)>& format) const {
    if (values.empty()) {
        return "-";
    }
    std::string text = format(median(values));
    if (values.size() > 1) {
        const auto [least, most] = std::minmax_element(values.begin(), values.end());
        text += " (" + format(*least) + "-" + format(*most) + ")";
    }
    return text;
}

void GoalTables::printComparisons(std::ostream& out) const {
    out << "\n## Library, bare arrays and peers (medians";
    if (runs.size() > 1) {
        out << " over " << runs.size() << " process runs; ratios: median (min-max) of the runs";
    }
    out << ")\n\n"
        << "| operation | type | n | library | bare arrays | library / bare | Eigen "
           "| library / Eigen | library / fixed-size Eigen | boost / library | GMP / library |\n"
        << "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    const auto time = [this](const std::string& benchmark) {
        const PerRun values = seconds(benchmark);
        return values.empty() ? std::string("-") : formatTime(median(values));
    };
    for (const char* operation : operations) {
        for (const char* type : types) {
            for (const int n : sizes) {
                const std::string library = name(operation, type, "library", n);
                if (seconds(library).empty()) {
                    continue;
                }
                const auto against = [&](const char* implementation) {
                    return spread(ratio(library, name(operation, type, implementation, n)),
                                  formatRatio);
                };
                const auto peerOver = [&](const char* implementation) {
                    return spread(ratio(name(operation, type, implementation, n), library),
                                  formatRatio);
                };
                out << "| " << operation << " | " << type << " | " << n << " | " << time(library)
                    << " | " << time(name(operation, type, "bare", n)) << " | " << against("bare")
                    << " | " << time(name(operation, type, "eigen", n)) << " | " << against("eigen")
                    << " | " << against("eigen-fixed") << " | " << peerOver("boost") << " | "
                    << peerOver("gmp") << " |\n";
            }
        }
    }
    out << "\n## Programs (medians";
    if (runs.size() > 1) {
        out << " over " << runs.size() << " process runs, min-max";
    }
    out << ")\n\n| benchmark | time |\n|---|---:|\n";
    for (const auto& [benchmark, figure] : runs.empty() ? Figures{} : runs.front()) {
        if (benchmark.rfind("program/", 0) == 0 && benchmark.rfind("program/rechenpult", 0) != 0) {
            out << "| " << benchmark << " | " << spread(seconds(benchmark), formatTime) << " |\n";
        }
    }
}

void GoalTables::printGoals(std::ostream& out) const {
    out << "\n## Goals (judged on the worst of " << runs.size() << " process run"
        << (runs.size() == 1 ? "" : "s") << ")\n\n"
        << "| figure | worst run | median (min-max) | goal | verdict |\n"
        << "|---|---:|---:|---:|---|\n";
    // lowerIsBetter: the worst run is the largest value.
    const auto row = [&](const std::string& figure, const PerRun& values, bool lowerIsBetter,
                         double limit, const std::string& goal,
                         const std::function<std::string(double)>& format) {
        if (values.empty()) {
            out << "| " << figure << " | - | - | " << goal << " | not measured |\n";
            return;
        }
        const double worst = lowerIsBetter ? *std::max_element(values.begin(), values.end())
                                           : *std::min_element(values.begin(), values.end());
        const bool reported = goal == "reported";
        const bool met = lowerIsBetter ? worst <= limit : worst >= limit;
        out << "| " << figure << " | " << format(worst) << " | " << spread(values, format) << " | "
            << goal << " | "
            << (reported ? "-"
                : met    ? "met"
                         : "MISSED")
            << " |\n";
    };
    const auto atMost = [&](const std::string& figure, const PerRun& values, double limit) {
        row(figure, values, true, limit, "<= " + format("%.2f", limit), formatRatio);
    };
    const auto atLeast = [&](const std::string& figure, const PerRun& values, double limit) {
        row(figure, values, false, limit, ">= " + format("%.1f", limit), formatRatio);
    };
    const auto reported = [&](const std::string& figure, const PerRun& values) {
        row(figure, values, true, 0, "reported", formatRatio);
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
            const std::string what = std::string(type) + ", " + operation;
            const std::string library3 = name(operation, type, "library", 3);
            const PerRun fixed = ratio(library3, name(operation, type, "eigen-fixed", 3));
            const std::string fixedFigure = "library / fixed-size Eigen, " + what + ", n = 3";
            if (std::string(type) == "double") {
                atMost(fixedFigure, fixed, std::string(operation) == "solve" ? 1.0 : 5.0);
            } else {
                reported(fixedFigure, fixed);
            }
            for (const int n : {3, 9, 50, 200}) {
                const std::string figure =
                    "library / Eigen, " + what + ", n = " + std::to_string(n);
                const PerRun values =
                    ratio(name(operation, type, "library", n), name(operation, type, "eigen", n));
                const bool doubleSolve =
                    std::string(type) == "double" && std::string(operation) == "solve";
                if (doubleSolve && n == 9) {
                    atMost(figure, values, 0.75);
                } else if (doubleSolve && n == 200) {
                    atMost(figure, values, 1.2);
                } else if (n <= 9) {
                    atMost(figure, values, 1.0);
                } else {
                    reported(figure, values);
                }
            }
        }
    }
    const auto fractionGoals = [&](const char* type, const char* label,
                                   std::initializer_list<int> ns) {
        for (const int n : ns) {
            const std::string library = name("solve", type, "library", n);
            const std::string at = std::string(", ") + label + ", solve, n = " + std::to_string(n);
            atLeast("boost::rational / library" + at,
                    ratio(name("solve", type, "boost", n), library), 1.5);
            atLeast("GMP mpq / library" + at, ratio(name("solve", type, "gmp", n), library), 5.0);
        }
    };
    fractionGoals("bruch", "fractions D.L.U", {3, 9, 50});
    fractionGoals("bruch-general", "general fractions", {3, 4, 5, 6});

    for (const char* script : {"probelauf", "probelauf-double9", "probelauf-bruch"}) {
        const std::string benchmark = std::string("program/") + script + "/10000";
        reported(std::string(script) + " / its I/O floor, 10000 cases",
                 ratio(benchmark, std::string("program/") + script + "-io-floor/10000"));
    }
    const auto milliseconds = [](double value) { return format("%.3f ms", value); };
    row("calculator, key to redrawn screen, median of 1000 keys",
        counter("program/rechenpult-redraw/1000", "median_ms"), true, 1.0, "< 1 ms", milliseconds);
    for (const char* type : {"float", "double", "complex", "bruch"}) {
        row(std::string("serienlauf, full fake-clock table, ") + type,
            seconds(std::string("program/serienlauf-table/") + type), true, 10.0, "< 10 s",
            formatTime);
    }
    // A whole process: its wall-clock time, as the benchmark's processor time is the parent's.
    for (const char* type : {"float", "double", "complex", "bruch"}) {
        const std::string name = std::string("program/serienlauf-zeitraffer/") + type;
        row(std::string("serienlauf --zeitraffer, full table as a process, ") + type,
            counter(name, "wall_s"), true, 10.0, "< 10 s", formatTime);
    }
    for (const char* memory : {"memory/matrix-double/1000", "memory/probelauf-double/200"}) {
        atMost(std::string("peak heap / element bytes, ") + memory, counter(memory, "ratio"), 1.2);
    }
}

}  // namespace zifferon::bench
