#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "zifferon/matrix/matrix.hpp"

namespace zifferon::testing {

// p / q in the element type's own arithmetic; exact for the values the tests use.
template <class T>
T ratio(int p, int q) {
    return T(p) / T(q);
}

// A matrix read from text through the stream input, so fractions stay exactly as typed.
template <class T>
Matrix<T> parseMatrix(std::uint32_t rows, std::uint32_t columns, const std::string& text) {
    Matrix<T> result(rows, columns);
    std::istringstream in(text);
    in >> result;
    EXPECT_FALSE(in.fail()) << text;
    return result;
}

// The text of every element at full double precision, so that any change shows: an unreduced
// fraction that got reduced, a floating-point value off by one unit in the last place.
template <class T>
std::string exactText(const MatrixVector<T>& matrix) {
    std::ostringstream out;
    out.precision(17);
    out << matrix;
    return out.str();
}

// Equal dimensions and equal elements, by the element type's own equality.
template <class T>
void expectEqualMatrices(const MatrixVector<T>& actual, const MatrixVector<T>& expected) {
    ASSERT_EQ(actual.getRows(), expected.getRows());
    ASSERT_EQ(actual.getColumns(), expected.getColumns());
    for (std::uint32_t r = 1; r <= actual.getRows(); ++r) {
        for (std::uint32_t c = 1; c <= actual.getColumns(); ++c) {
            EXPECT_TRUE(actual.element(r, c) == expected.element(r, c))
                << "element (" << r << ", " << c << "): " << actual.element(r, c) << " instead of "
                << expected.element(r, c);
        }
    }
}

// The text a fraction operation throws, or an empty string when it throws none.
template <class Operation>
std::string fractionErrorOf(Operation operation) {
    try {
        operation();
    } catch (const char* text) {
        return text;
    }
    return "";
}

}  // namespace zifferon::testing
