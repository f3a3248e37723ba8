#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>

#include "zifferon/matrix/blocked_elimination.hpp"
#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/matrix_exception.hpp"
#include "zifferon/matrix/matrix_vector.hpp"
#include "zifferon/matrix/row_kernels.hpp"
#include "zifferon/matrix/solve_status.hpp"
#include "zifferon/matrix/working_storage.hpp"

namespace zifferon {

template <class T>
class Matrix;

namespace detail {

// A private copy of some elements that an algorithm changes in place.
//
// Up to InlineCapacity elements live inside the object, so that an algorithm on a small matrix
// keeps its working copy on the stack and costs no allocation; more take one heap block of
// exactly their size. Every element is made by copy construction (for a fraction, the copy in
// normal form), in one place: copyElements.
template <class T, std::size_t InlineCapacity>
class WorkingCopy {
public:
    // Copies source[0..count).
    WorkingCopy(const T* source, std::size_t count)
        : first(count <= InlineCapacity ? inlineElements() : allocate(count)), size(count) {
        try {
            copyElements(source, first, size);
        } catch (...) {
            release(first, size);
            throw;
        }
    }
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;
    ~WorkingCopy() {
        std::destroy_n(first, size);
        release(first, size);
    }

    T* data() noexcept { return first; }
    const T* data() const noexcept { return first; }
    T& operator[](std::size_t i) noexcept { return first[i]; }
    const T& operator[](std::size_t i) const noexcept { return first[i]; }

    // Replaces every element by a fresh copy of source's. On the heap the new block is complete
    // before the old one goes, as for a new copy assigned over the old.
    void renew(const T* source) {
        if (first != inlineElements()) {
            T* const fresh = allocate(size);
            try {
                copyElements(source, fresh, size);
            } catch (...) {
                release(fresh, size);
                throw;
            }
            std::destroy_n(first, size);
            release(first, size);
            first = fresh;
            return;
        }
        const std::size_t count = std::exchange(size, 0);
        std::destroy_n(first, count);
        copyElements(source, first, count);
        size = count;
    }

private:
    // The one place where a working element is made from its source.
    static void copyElements(const T* source, T* target, std::size_t count) {
        std::uninitialized_copy_n(source, count, target);
    }
    static T* allocate(std::size_t count) { return std::allocator<T>().allocate(count); }
    void release(T* block, std::size_t count) noexcept {
        if (block != inlineElements()) {
            std::allocator<T>().deallocate(block, count);
        }
    }
    T* inlineElements() noexcept { return reinterpret_cast<T*>(storage); }

    alignas(T) std::byte storage[InlineCapacity * sizeof(T)];
    T* first;
    std::size_t size;
};

}  // namespace detail

// The linear-algebra layer: determinant, adjugate, inverse and the equation solver.
//
// The matrix an operation is called on is only read; all work happens on private copies, so
// an exception (a MatrixException or an error of the element type) leaves every operand as it
// was. Zero tests are exact, and a pivot is replaced only when it is exactly zero.
template <class T>
class MatrixMath : public virtual MatrixVector<T> {
public:
    // Built and assigned as the storage: Matrix<T> assigns the shared base once.
    using MatrixVector<T>::MatrixVector;

    // The product of the diagonal of the triangular form (see triangulate). Error 300 unless
    // the matrix is square.
    T determinant() const;
    // The transposed matrix of cofactors. Error 300 unless square; error 100 for a 1 x 1
    // matrix, whose minors would be empty.
    Matrix<T> adjugate() const;
    // The adjugate times 1 / determinant. Checks in the order: error 300 unless square, 301
    // when the determinant is zero, 100 for a 1 x 1 matrix.
    Matrix<T> inverse() const;

    // Solves this * x = b by Gaussian elimination, exchanging rows only for an exactly zero
    // pivot. Writes x only for UniqueSolution. Errors, in this order: 400 unless b is one
    // column, 401 unless x is one column, 402 unless b and x have equal row counts, 403 unless
    // b has a row for every row of this. A non-square coefficient matrix is not refused: the
    // elimination runs over the row count, and where that needs an element outside the matrix
    // the call fails with 103 (see NonSquareBounds).
    SolveStatus solve(Matrix<T>& x, const Matrix<T>& b) const;

private:
    using Traits = ElementTraits<T>;

    void requireSquare() const {
        if (this->rowCount != this->columnCount) {
            throw MatrixException(MatrixError::NotSquare);
        }
    }
    // A matrix order known at compile time: the loops over a small matrix unroll completely.
    template <std::size_t N>
    using FixedOrder = std::integral_constant<std::size_t, N>;
    // action(order) with the order n of this square matrix as a FixedOrder for the smallest
    // ones, where an element operation is a few instructions and the loop overhead would
    // dominate; as a std::size_t otherwise.
    template <class Action>
    decltype(auto) withOrder(std::size_t n, Action action) const {
        if constexpr (std::is_trivially_copyable_v<T>) {
            switch (n) {
                case 2:
                    return action(FixedOrder<2>{});
                case 3:
                    return action(FixedOrder<3>{});
                case 4:
                    return action(FixedOrder<4>{});
                default:
                    break;
            }
        }
        return action(n);
    }

    // isLowerTriangular() || isUpperTriangular() of this square matrix of order n, without the
    // shape test.
    template <class Order>
    bool isTriangular(Order n) const {
        return zeroOffDiagonal(n, n, 1) || zeroOffDiagonal(n, 1, n);
    }
    // Every element (i, j) with i < j is zero, found at i * rowStep + j * columnStep: (n, 1)
    // looks above the diagonal of this square matrix, (1, n) below it.
    template <class Order, class RowStep, class ColumnStep>
    bool zeroOffDiagonal(Order n, RowStep rowStep, ColumnStep columnStep) const {
        const T* const e = this->elements.data();
        for (std::size_t i = 0; i + 1 < n; ++i) {
            for (std::size_t j = i + 1; j < n; ++j) {
                if (!Traits::isZero(e[i * rowStep + j * columnStep])) {
                    return false;
                }
            }
        }
        return true;
    }

    // The solver: its working copy over the bounds of its shape (square, or see
    // NonSquareBounds), and its steps in their order.
    template <class Bounds>
    class WorkingSystem;
    template <class Order>
    class SquareBounds;
    class NonSquareBounds;
    void requireSolvableShapes(const Matrix<T>& x, const Matrix<T>& b) const;
    template <class Bounds>
    SolveStatus solveWithin(Bounds bounds, Matrix<T>& x, const Matrix<T>& b) const;
    template <class System>
    static void eliminateForward(System& system);
    template <class System>
    static bool isRegular(const System& system);
    template <class System>
    SolveStatus classifySingular(System& system, const Matrix<T>& b) const;
    template <class System>
    static void substituteBack(System& system);
    // Row echelon form of the system: each column's first non-zero entry at or below the next
    // pivot row becomes that row's pivot and clears the rows below it.
    template <class System>
    static void toRowEchelonForm(System& system);
    // Some row i reads 0 = r[i] with r[i] non-zero.
    template <class System>
    static bool hasContradictoryRow(const System& system);

    // Up to this many rows and columns, solve and determinant keep their working copies on the
    // stack (16 * 16 fractions take 6 KiB); larger matrices are copied to the heap.
    static constexpr std::size_t maxInlineOrder = 16;
    // A working copy of the elements, row by row like the storage.
    using WorkingMatrix = detail::WorkingCopy<T, maxInlineOrder * maxInlineOrder>;
    WorkingMatrix flatCopy(std::size_t count) const { return {this->elements.data(), count}; }
    // The determinant of this square matrix, read only.
    T squareDeterminant() const;
    template <class Order>
    T squareDeterminant(Order n) const;
    template <class Order>
    static void triangulate(T* w, Order n);
    // d = diagonal(i) * d for i = 0..n-1, from d = 1; no early exit.
    template <class Order, class Diagonal>
    static T diagonalProduct(Order n, Diagonal diagonal) {
        T d = Traits::one();
        for (std::size_t i = 0; i < n; ++i) {
            d = Traits::product(diagonal(i), d);
        }
        return d;
    }
};

// Brings the square matrix w (n x n, row by row), which is not triangular, to upper triangular
// form with the same determinant. A zero pivot is replaced by the first column, left or right,
// whose entry in the pivot row is non-zero (left of the pivot only floating-point residues can
// be); the exchange is paid for by negating the pivot row. The last pivot is not replaced.
// Without such a column the matrix is singular and the elimination stops, leaving a zero on
// the diagonal.
template <class T>
template <class Order>
void MatrixMath<T>::triangulate(T* w, Order n) {
    for (std::size_t i = 0; i < n; ++i) {
        T* const pivotRow = w + i * n;
        if (i + 1 < n && Traits::isZero(pivotRow[i])) {
            for (std::size_t k = 0; k < n; ++k) {
                if (k != i && !Traits::isZero(pivotRow[k])) {
                    for (std::size_t r = 0; r < n; ++r) {
                        using std::swap;
                        swap(w[r * n + i], w[r * n + k]);
                    }
                    for (std::size_t j = 0; j < n; ++j) {
                        storeResult(pivotRow[j], -pivotRow[j]);
                    }
                    break;
                }
            }
        }
        if (Traits::isZero(pivotRow[i])) {
            return;
        }
        for (std::size_t b = i + 1; b < n; ++b) {
            T* const row = w + b * n;
            const T factor = row[i] / pivotRow[i];
            subtractScaledRow(row + i, pivotRow + i, factor, n - i);
        }
    }
}

template <class T>
T MatrixMath<T>::squareDeterminant() const {
    return withOrder(this->rowCount, [this](auto n) { return this->squareDeterminant(n); });
}

template <class T>
template <class Order>
T MatrixMath<T>::squareDeterminant(Order n) const {
    if (isTriangular(n)) {
        return diagonalProduct(
            n, [this, n](std::size_t i) -> const T& { return this->elements[i * n + i]; });
    }
    WorkingMatrix w = flatCopy(n * n);
    triangulate(w.data(), n);
    return diagonalProduct(n, [&w, n](std::size_t i) -> const T& { return w[i * n + i]; });
}

template <class T>
T MatrixMath<T>::determinant() const {
    requireSquare();
    detail::requireWorkingMemory(detail::determinantStorage<T>(this->rowCount));
    return squareDeterminant();
}

template <class T>
Matrix<T> MatrixMath<T>::adjugate() const {
    requireSquare();
    detail::requireWorkingMemory(detail::adjugateStorage<T>(this->rowCount));
    const std::size_t n = this->rowCount;
    MatrixMath minor(this->rowCount - 1, this->rowCount - 1);
    Matrix<T> result(this->rowCount, this->rowCount);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            // The minor for (i, j): this matrix without row i and column j, order kept.
            for (std::size_t r = 0, target = 0; r < n; ++r) {
                if (r == i) {
                    continue;
                }
                const T* const source = this->rowData(r);
                T* const row = minor.rowData(target++);
                std::copy(source, source + j, row);
                std::copy(source + j + 1, source + n, row + j);
            }
            const T d = minor.squareDeterminant();
            storeResult(result.elements[j * n + i], (i + j) % 2 == 0 ? d : -d);
        }
    }
    return result;
}

template <class T>
Matrix<T> MatrixMath<T>::inverse() const {
    const T d = determinant();
    if (Traits::isZero(d)) {
        throw MatrixException(MatrixError::NoInverse);
    }
    Matrix<T> result = adjugate();
    const T factor = Traits::one() / d;
    for (T& entry : result.elements) {
        storeResult(entry, Traits::product(factor, entry));
    }
    return result;
}

// A non-square coefficient matrix is not refused. With n rows and m columns every step keeps
// the bounds of the square case: the elimination and the regularity product run to row n with
// pivot i in column i, a row update runs over n columns, and the back substitution takes row
// i's pivot from column i + (m - n) while that is at least column 1. Where a step would need an
// element outside the matrix, the call fails with 103 at exactly that step, after the
// arithmetic that comes before it, so an error of the element type that comes first still wins.
// These are the only places that fail so; every step asks here.
template <class T>
class MatrixMath<T>::NonSquareBounds {
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
template <class T>
template <class Order>
class MatrixMath<T>::SquareBounds {
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

// The system solve works on, in place: the coefficients W (n x m, row by row like the storage)
// and the constants r, with the bounds of their shape.
template <class T>
template <class Bounds>
class MatrixMath<T>::WorkingSystem {
public:
    // Copies of the coefficients a and of the constants b, a column of a's row count.
    WorkingSystem(Bounds shape, const MatrixMath& a, const MatrixMath& b)
        : bounds(shape),
          w(a.flatCopy(shape.rows() * shape.columns())),
          r(b.elements.data(), shape.rows()) {}

    // Starts again from fresh copies of the same a and b.
    void renew(const MatrixMath& a, const MatrixMath& b) {
        w.renew(a.elements.data());
        r.renew(b.elements.data());
    }

    auto rows() const { return bounds.rows(); }
    auto columns() const { return bounds.columns(); }
    T* row(std::size_t i) { return w.data() + i * columns(); }
    const T* row(std::size_t i) const { return w.data() + i * columns(); }

    Bounds bounds;
    WorkingMatrix w;
    detail::WorkingCopy<T, maxInlineOrder> r;
};

template <class T>
SolveStatus MatrixMath<T>::solve(Matrix<T>& x, const Matrix<T>& b) const {
    requireSolvableShapes(x, b);
    detail::requireWorkingMemory(detail::solveStorage<T>(this->rowCount, this->columnCount));
    if (this->rowCount != this->columnCount) {
        return solveWithin(NonSquareBounds(this->rowCount, this->columnCount), x, b);
    }
    return withOrder(this->rowCount,
                     [&](auto n) { return solveWithin(SquareBounds<decltype(n)>(n), x, b); });
}

template <class T>
template <class Bounds>
SolveStatus MatrixMath<T>::solveWithin(Bounds bounds, Matrix<T>& x, const Matrix<T>& b) const {
    WorkingSystem<Bounds> system(bounds, *this, b);
    eliminateForward(system);
    if (!isRegular(system)) {
        return classifySingular(system, b);
    }
    substituteBack(system);
    // Exchanges cannot fail, so x is either written completely or not at all.
    std::swap_ranges(system.r.data(), system.r.data() + system.rows(), x.elements.data());
    return SolveStatus::UniqueSolution;
}

template <class T>
void MatrixMath<T>::requireSolvableShapes(const Matrix<T>& x, const Matrix<T>& b) const {
    if (b.getColumns() != 1) {
        throw MatrixException(MatrixError::ConstantsNotColumnVector);
    }
    if (x.getColumns() != 1) {
        throw MatrixException(MatrixError::ResultNotColumnVector);
    }
    if (b.getRows() != x.getRows()) {
        throw MatrixException(MatrixError::ResultRowMismatch);
    }
    if (b.getRows() != this->rowCount) {
        throw MatrixException(MatrixError::EquationCountMismatch);
    }
}

// Pivot row i clears column i below it; an exactly zero pivot is first exchanged with the next
// row that has a non-zero entry there. Row k is updated even when its entry below the pivot is
// already zero, and over all columns up to n, those left of the pivot included: their entries
// are never forced to zero, so floating-point residues stay visible to the classification.
template <class T>
template <class System>
void MatrixMath<T>::eliminateForward(System& system) {
    const auto& bounds = system.bounds;
    const auto n = system.rows();
    const auto width = bounds.updateWidth();
    auto& r = system.r;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        i = eliminateInBlocks(system.w.data(), r.data(), n, system.columns(), i);
        if (i + 1 >= n) {
            break;
        }
        bounds.requirePivotColumn(i);
        T* const pivotRow = system.row(i);
        for (std::size_t k = i + 1; k < n; ++k) {
            if (Traits::isZero(pivotRow[i])) {
                std::size_t s = k;
                while (s < n && Traits::isZero(system.row(s)[i])) {
                    ++s;
                }
                if (s == n) {
                    break;  // no later row k finds one either: column i is passed over
                }
                std::swap_ranges(pivotRow, pivotRow + system.columns(), system.row(s));
                using std::swap;
                swap(r[i], r[s]);
            }
            T* const rowK = system.row(k);
            const T factor = rowK[i] / pivotRow[i];
            storeResult(r[k],
                        Traits::workingDifference(r[k], Traits::workingProduct(factor, r[i])));
            subtractScaledRow(rowK, pivotRow, factor, width);
            bounds.requireUpdateInside();
        }
    }
}

// The diagonal product, each factor multiplied in before the product is tested for zero.
template <class T>
template <class System>
bool MatrixMath<T>::isRegular(const System& system) {
    T p = system.w[0];
    for (std::size_t i = 1; i < system.rows(); ++i) {
        system.bounds.requirePivotColumn(i);
        p = Traits::product(p, system.row(i)[i]);
        if (Traits::isZero(p)) {
            break;
        }
    }
    return !Traits::isZero(p);
}

template <class T>
template <class System>
SolveStatus MatrixMath<T>::classifySingular(System& system, const Matrix<T>& b) const {
    // Up to n columns, every row of W is a combination of the equations; a cleared row with a
    // non-zero constant is a contradiction.
    if (system.columns() <= system.rows() && hasContradictoryRow(system)) {
        return SolveStatus::NoSolution;
    }
    // But the elimination pairs pivot row i with column i: after a passed-over column the rows
    // below are never cleared against the later columns, and a contradiction can stay hidden in
    // them (y = 1, 2y = 3). Only the row echelon form over all columns shows every one. With
    // more columns than rows the elimination left the columns beyond n as they were, so the
    // echelon form starts again from the equations themselves.
    if (system.columns() > system.rows()) {
        system.renew(*this, b);
    }
    toRowEchelonForm(system);
    return hasContradictoryRow(system) ? SolveStatus::NoSolution : SolveStatus::InfiniteSolutions;
}

// Column by column from the bottom: row i's pivot column is q = i + shift, and the loop runs
// while q >= 0. Where both the constant and the pivot are zero the row is passed over.
template <class T>
template <class System>
void MatrixMath<T>::substituteBack(System& system) {
    auto& r = system.r;
    const std::int64_t shift = system.bounds.shift();
    for (auto i = static_cast<std::int64_t>(system.rows()) - 1; i + shift >= 0; --i) {
        system.bounds.requirePivotRow(i);
        const auto q = static_cast<std::size_t>(i + shift);
        T& ri = r[static_cast<std::size_t>(i)];
        const T& pivot = system.row(static_cast<std::size_t>(i))[q];
        if (Traits::isZero(ri) && Traits::isZero(pivot)) {
            continue;
        }
        storeResult(ri, ri / pivot);
        for (std::int64_t k = i - 1; k >= 0; --k) {
            const auto above = static_cast<std::size_t>(k);
            const T t = Traits::workingProduct(system.row(above)[q], ri);
            storeResult(r[above], Traits::workingDifference(r[above], t));
        }
    }
}

template <class T>
template <class System>
void MatrixMath<T>::toRowEchelonForm(System& system) {
    const auto n = system.rows();
    const auto m = system.columns();
    auto& r = system.r;
    std::size_t pivot = 0;
    for (std::size_t c = 0; c < m && pivot < n; ++c) {
        std::size_t s = pivot;
        while (s < n && Traits::isZero(system.row(s)[c])) {
            ++s;
        }
        if (s == n) {
            continue;
        }
        if (s != pivot) {
            std::swap_ranges(system.row(pivot), system.row(pivot) + m, system.row(s));
            using std::swap;
            swap(r[pivot], r[s]);
        }
        const T* const pivotRow = system.row(pivot);
        for (std::size_t k = pivot + 1; k < n; ++k) {
            T* const rowK = system.row(k);
            if (Traits::isZero(rowK[c])) {
                continue;
            }
            const T factor = rowK[c] / pivotRow[c];
            storeResult(r[k],
                        Traits::workingDifference(r[k], Traits::workingProduct(factor, r[pivot])));
            subtractScaledRow(rowK + c, pivotRow + c, factor, m - c);
        }
        ++pivot;
    }
}

template <class T>
template <class System>
bool MatrixMath<T>::hasContradictoryRow(const System& system) {
    for (std::size_t i = 0; i < system.rows(); ++i) {
        const T* const row = system.row(i);
        if (!Traits::isZero(system.r[i]) &&
            std::all_of(row, row + system.columns(), Traits::isZero)) {
            return true;
        }
    }
    return false;
}

extern template class MatrixMath<float>;
extern template class MatrixMath<double>;
extern template class MatrixMath<Complex>;
extern template class MatrixMath<Bruch>;

}  // namespace zifferon
