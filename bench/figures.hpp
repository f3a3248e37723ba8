#pragma once

#include <iosfwd>
#include <map>
#include <string>

namespace zifferon::bench {

// What one process run measured of one benchmark: the median when the runs are repeated.
struct Figure {
    double seconds = 0;  // processor time per iteration
    std::map<std::string, double> counters;
    bool isMedian = false;
    std::string error;
};

// Every benchmark's figure of one process run, by name.
using Figures = std::map<std::string, Figure>;

// One line per benchmark, tab-separated: name, seconds, error, then key=value counters. Names,
// keys and errors carry no tabs or line breaks (those are replaced by spaces on writing).
void writeFigures(std::ostream& out, const Figures& figures);
Figures readFigures(std::istream& in);

}  // namespace zifferon::bench
