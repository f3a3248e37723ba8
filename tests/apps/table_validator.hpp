#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zifferon::testing {

// What a result table holds, as far as the checks need it.
struct TableSummary {
    std::uint32_t rows = 0;
    std::array<std::uint32_t, 10> rowsByN{};  // written rows by number of equations
    std::uint32_t unique = 0;
    std::uint32_t noSolution = 0;
    std::uint32_t infinite = 0;
    int mostSignificantDigits = 0;  // over every floating-point value of x, p and the mean
    std::string firstDate;
    std::string lastDate;
    std::vector<std::string> faults;  // the first few, each naming its row
};

// Parses a whole mass-test table for element type T (float, double, Complex, Bruch) and checks
// every row on its own terms: header, numbering from 1 without gaps, eight columns, the cells'
// shapes, the ranges of the drawn entries, every number written at the table's precision, the
// check product against A times x, the mean deviation recomputed by its rules from b and the
// check product, the acceptance rule, and for fractions the verdict against the exact rank.
// Floating-point recomputations allow for the rounding of the written digits.
template <class T>
TableSummary validateTable(std::string_view table);

}  // namespace zifferon::testing
