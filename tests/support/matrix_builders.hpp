#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "zifferon/matrix/matrix.hpp"

namespace zifferon::testing {

// A matrix of whole numbers, row by row.
template <class T>
Matrix<T> matrixOf(std::initializer_list<std::initializer_list<int>> rows) {
    Matrix<T> result(static_cast<std::uint32_t>(rows.size()),
                     static_cast<std::uint32_t>(rows.begin()->size()));
    std::uint32_t r = 1;
    for (const auto& row : rows) {
        std::uint32_t c = 1;
        for (const int value : row) {
            result.element(r, c++) = T(value);
        }
        ++r;
    }
    return result;
}

// Checks dimensions and every element against whole numbers, row by row.
template <class T>
void expectMatrix(const MatrixVector<T>& actual,
                  std::initializer_list<std::initializer_list<int>> rows) {
    ASSERT_EQ(actual.getRows(), rows.size());
    ASSERT_EQ(actual.getColumns(), rows.begin()->size());
    std::uint32_t r = 1;
    for (const auto& row : rows) {
        std::uint32_t c = 1;
        for (const int value : row) {
            EXPECT_TRUE(actual.element(r, c) == T(value)) << "element (" << r << ", " << c << ")";
            ++c;
        }
        ++r;
    }
}

// The error number a library operation throws, or 0 when it throws none.
template <class Operation>
int matrixErrorOf(Operation operation) {
    try {
        operation();
    } catch (const MatrixException& error) {
        return error.errorCode;
    }
    return 0;
}

}  // namespace zifferon::testing
