#pragma once

// Exact linear algebra over GMP rationals: the reference the algebra fuzzer checks the fraction
// matrices against.

#include <gmpxx.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "exact.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon::fuzzing {

using ExactMatrix = std::vector<std::vector<mpq_class>>;

inline ExactMatrix exactMatrix(const MatrixVector<Bruch>& matrix) {
    ExactMatrix result(matrix.getRows(), std::vector<mpq_class>(matrix.getColumns()));
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            result[i - 1][j - 1] = exactValue(matrix.element(i, j));
        }
    }
    return result;
}

inline ExactMatrix exactProduct(const ExactMatrix& left, const ExactMatrix& right) {
    ExactMatrix result(left.size(), std::vector<mpq_class>(right.front().size()));
    for (std::size_t i = 0; i < left.size(); ++i) {
        for (std::size_t j = 0; j < right.front().size(); ++j) {
            for (std::size_t k = 0; k < right.size(); ++k) {
                result[i][j] += left[i][k] * right[k][j];
            }
        }
    }
    return result;
}

inline ExactMatrix identity(std::size_t n, const mpq_class& diagonal = 1) {
    ExactMatrix result(n, std::vector<mpq_class>(n));
    for (std::size_t i = 0; i < n; ++i) {
        result[i][i] = diagonal;
    }
    return result;
}

// Row echelon form in place; returns the rank and multiplies `determinant` by the determinant
// of the row operations' inverse, so that for a square matrix it ends as its determinant.
inline std::size_t eliminate(ExactMatrix& rows, mpq_class& determinant) {
    std::size_t rank = 0;
    const std::size_t columns = rows.empty() ? 0 : rows.front().size();
    for (std::size_t c = 0; c < columns && rank < rows.size(); ++c) {
        std::size_t pivot = rank;
        while (pivot < rows.size() && rows[pivot][c] == 0) {
            ++pivot;
        }
        if (pivot == rows.size()) {
            determinant = 0;
            continue;
        }
        if (pivot != rank) {
            std::swap(rows[pivot], rows[rank]);
            determinant = -determinant;
        }
        determinant *= rows[rank][c];
        for (std::size_t k = rank + 1; k < rows.size(); ++k) {
            const mpq_class factor = rows[k][c] / rows[rank][c];
            for (std::size_t q = c; q < columns; ++q) {
                rows[k][q] -= factor * rows[rank][q];
            }
        }
        ++rank;
    }
    return rank;
}

inline mpq_class exactDeterminant(ExactMatrix rows) {
    mpq_class determinant = 1;
    eliminate(rows, determinant);
    return determinant;
}

inline std::size_t rankOf(ExactMatrix rows) {
    mpq_class ignored = 1;
    return eliminate(rows, ignored);
}

// The rank of A and of A with b as one more column.
inline bool isConsistent(const ExactMatrix& a, const ExactMatrix& b, std::size_t& rank) {
    ExactMatrix augmented = a;
    for (std::size_t i = 0; i < a.size(); ++i) {
        augmented[i].push_back(b[i][0]);
    }
    rank = rankOf(a);
    return rankOf(augmented) == rank;
}

}  // namespace zifferon::fuzzing
