#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/matrix_exception.hpp"
#include "zifferon/matrix/row_kernels.hpp"
#include "zifferon/matrix/row_step.hpp"
#include "zifferon/matrix/working_copy.hpp"

namespace zifferon::detail {

// A non-square coefficient matrix is not refused. With n rows and m columns every step keeps
// the bounds of the square case: the elimination and the regularity product run to row n with
// pivot i in column i, a row update runs over n columns, and the back substitution takes row
// i's pivot from column i + (m - n) while that is at least column 1. Where a step would need an
// element outside the matrix, the call fails with 103 at exactly that step, after the
// arithmetic that comes before it, so an error of the element type that comes first still wins.
// These are the only places that fail so; every step asks here.
class NonSquareBounds {
public:
    NonSquareBounds(std::size_t rows, std::size_t columns) : n(rows), m(columns) {}

    std::size_t rows() const { return n; }
    std::size_t columns() const { return m; }
    // The columns a row update can reach.
    std::size_t updateWidth() const { return std::min(n, m); }
    // With fewer columns than rows, pivot i = m would lie right of the matrix.
    void requirePivotColumn(std::size_t i) const {
        if (i >= m) {
            outside();
        }
    }
    // With fewer columns than rows, a row update goes on to column m + 1.
    void requireUpdateInside() const {
        if (m < n) {
            outside();
        }
    }
    // The back substitution's pivot column for row i is i + shift(), both counted from 0.
    std::int64_t shift() const {
        return static_cast<std::int64_t>(m) - static_cast<std::int64_t>(n);
    }
    // With more columns than rows, a pivot column is left without a row (i < 0).
    void requirePivotRow(std::int64_t i) const {
        if (i < 0) {
            outside();
        }
    }

private:
    [[noreturn]] static void outside() { throw MatrixException(MatrixError::IndexOutOfRange); }

    std::size_t n;
    std::size_t m;
};

// The bounds of a square system of order n (a std::size_t or a FixedOrder): no step ever
// leaves the matrix, so the checks of NonSquareBounds fall away.
template <class Order>
class SquareBounds {
public:
    explicit SquareBounds(Order order) : n(order) {}

    Order rows() const { return n; }
    Order columns() const { return n; }
    Order updateWidth() const { return n; }
    void requirePivotColumn(std::size_t) const {}
    void requireUpdateInside() const {}
    static constexpr std::int64_t shift() { return 0; }
    void requirePivotRow(std::int64_t) const {}

private:
    Order n;
};

// The system the solver works on, in place: the coefficients W (n x m, row by row like the
// storage) and the constants r, with the bounds of their shape (SquareBounds or
// NonSquareBounds).
template <class T, class Bounds>
class WorkingSystem {
public:
    // Copies of the n x m coefficients and of the n constants.
    WorkingSystem(Bounds shape, const T* coefficients, const T* constants)
        : bounds(shape),
          w(coefficients, shape.rows() * shape.columns()),
          r(constants, shape.rows()) {}

    // Starts again from fresh copies of the same coefficients and constants.
    void renew(const T* coefficients, const T* constants) {
        w.renew(coefficients);
        r.renew(constants);
    }

    auto rows() const { return bounds.rows(); }
    auto columns() const { return bounds.columns(); }
    T* row(std::size_t i) { return w.data() + i * columns(); }
    const T* row(std::size_t i) const { return w.data() + i * columns(); }

    // The first of the rows from..n-1 whose entry in the column is non-zero; n when there is
    // none.
    std::size_t firstNonZeroRow(std::size_t column, std::size_t from) const {
        std::size_t s = from;
        while (s < rows() && ElementTraits<T>::isZero(row(s)[column])) {
            ++s;
        }
        return s;
    }
    // Exchanges two equations: the whole rows and their constants.
    void exchangeRows(std::size_t a, std::size_t b) {
        std::swap_ranges(row(a), row(a) + columns(), row(b));
        using std::swap;
        swap(r[a], r[b]);
    }
    // The elimination step of row k against pivot row p in column c (see startRowStep), over
    // the row's elements [from, from + count).
    void subtractPivotRow(std::size_t k, std::size_t p, std::size_t c, std::size_t from,
                          std::size_t count) {
        T* const rowK = row(k);
        const T* const pivotRow = row(p);
        const T factor = startRowStep(rowK[c], pivotRow[c], r[k], r[p]);
        subtractScaledRow(rowK + from, pivotRow + from, factor, count);
    }

    Bounds bounds;
    WorkingMatrix<T> w;
    WorkingCopy<T, maxInlineOrder> r;
};

}  // namespace zifferon::detail
