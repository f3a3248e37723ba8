#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/element_types.hpp"
#include "zifferon/matrix/matrix_exception.hpp"

namespace zifferon {

namespace detail {
// Throws std::bad_alloc when the elements of a rows x columns matrix would exceed the memory the
// process can still get. Checked before anything is allocated: on Linux an oversized
// allocation is not refused but ends the process.
void requireStorage(std::uint64_t rows, std::uint64_t columns, std::size_t elementSize);
}  // namespace detail

// Storage of one dense matrix with 1-based, bounds-tested element access.
//
// The elements lie row by row in one block: element (r, c) is elements[(r - 1) * columnCount +
// (c - 1)], so a matrix is one allocation, and a row is a contiguous run the operation layers
// can loop over. Invariants: rowCount >= 1, columnCount >= 1 and elements.size() == rowCount *
// columnCount. Copies are deep. Assignment copies elements between matrices of equal size only
// and never changes the dimensions; only `resize` does. Every failing operation throws before
// it changes anything. A moved-from matrix is 0 x 0 until it is resized.
//
// It is the virtual base of both operation layers, so a Matrix<T> holds exactly one of it.
template <class T>
class MatrixVector {
public:
    using value_type = T;

    // A 3 x 3 matrix of zero elements.
    MatrixVector() : MatrixVector(3, 3) {}
    // A rows x columns matrix of zero elements; a count of 0 throws error 100, a size whose
    // storage exceeds the machine's memory std::bad_alloc.
    MatrixVector(std::uint32_t rows, std::uint32_t columns);
    // A copy of a size beyond the machine's memory throws std::bad_alloc.
    MatrixVector(const MatrixVector& other);
    MatrixVector(MatrixVector&& other) noexcept;
    // Copies the elements of a matrix of the same size; otherwise throws error 104.
    MatrixVector& operator=(const MatrixVector& other);
    virtual ~MatrixVector() = default;

    // Element (row, column); throws error 103 outside the matrix.
    T& element(std::uint32_t row, std::uint32_t column);
    const T& element(std::uint32_t row, std::uint32_t column) const;

    std::uint32_t getRows() const noexcept { return rowCount; }
    std::uint32_t getColumns() const noexcept { return columnCount; }

    // Keeps the elements inside both the old and the new size, fills new places with zero.
    // Throws error 100 for a count of 0, std::bad_alloc for a size beyond the machine's memory.
    void resize(std::uint32_t rows, std::uint32_t columns);
    // The elements of column k, top to bottom; throws error 106 outside the matrix.
    std::vector<T> column(std::uint32_t k) const;
    // Exchange two rows or two columns; throw error 103 unless both numbers lie in the matrix.
    void swapRows(std::uint32_t a, std::uint32_t b);
    void swapColumns(std::uint32_t a, std::uint32_t b);

    // Structural tests, all false for a non-square matrix. Zero: every element. Identity: one on
    // the diagonal, zero elsewhere. Scalar: the diagonal equal to element (1, 1), zero elsewhere.
    // Diagonal: zero off the diagonal. Upper (lower) triangular: zero below (above) it.
    bool isZeroMatrix() const;
    bool isIdentityMatrix() const;
    bool isScalarMatrix() const;
    bool isDiagonalMatrix() const;
    bool isUpperTriangular() const;
    bool isLowerTriangular() const;

protected:
    // Row i, counted from 0: its columnCount elements start here.
    T* rowData(std::size_t i) noexcept { return elements.data() + i * columnCount; }
    const T* rowData(std::size_t i) const noexcept { return elements.data() + i * columnCount; }

    std::vector<T> elements;
    std::uint32_t rowCount = 0;
    std::uint32_t columnCount = 0;

private:
    bool contains(std::uint32_t row, std::uint32_t column) const noexcept {
        return row >= 1 && row <= rowCount && column >= 1 && column <= columnCount;
    }
    std::size_t indexOf(std::uint32_t row, std::uint32_t column) const noexcept {
        return (std::size_t{row} - 1) * columnCount + (column - 1);
    }
    static std::vector<T> zeroStorage(std::uint32_t rows, std::uint32_t columns);
    static std::vector<T> copiedStorage(const MatrixVector& other);
    // Square, and rule(i, j, element) holds for every element, i and j counted from 0.
    template <class Rule>
    bool isSquareWith(Rule rule) const;
};

template <class T>
std::vector<T> MatrixVector<T>::zeroStorage(std::uint32_t rows, std::uint32_t columns) {
    if (rows == 0 || columns == 0) {
        throw MatrixException(MatrixError::SizeBelowOne);
    }
    detail::requireStorage(rows, columns, sizeof(T));
    return std::vector<T>(std::size_t{rows} * columns);
}

template <class T>
std::vector<T> MatrixVector<T>::copiedStorage(const MatrixVector& other) {
    detail::requireStorage(other.rowCount, other.columnCount, sizeof(T));
    return other.elements;
}

template <class T>
MatrixVector<T>::MatrixVector(std::uint32_t rows, std::uint32_t columns)
    : elements(zeroStorage(rows, columns)), rowCount(rows), columnCount(columns) {}

template <class T>
MatrixVector<T>::MatrixVector(const MatrixVector& other)
    : elements(copiedStorage(other)), rowCount(other.rowCount), columnCount(other.columnCount) {}

template <class T>
MatrixVector<T>::MatrixVector(MatrixVector&& other) noexcept
    : elements(std::move(other.elements)),
      rowCount(std::exchange(other.rowCount, 0)),
      columnCount(std::exchange(other.columnCount, 0)) {
    other.elements.clear();
}

template <class T>
MatrixVector<T>& MatrixVector<T>::operator=(const MatrixVector& other) {
    if (other.rowCount != rowCount || other.columnCount != columnCount) {
        throw MatrixException(MatrixError::SizeMismatch);
    }
    if (this != &other) {
        elements = other.elements;
    }
    return *this;
}

template <class T>
T& MatrixVector<T>::element(std::uint32_t row, std::uint32_t column) {
    if (!contains(row, column)) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    return elements[indexOf(row, column)];
}

template <class T>
const T& MatrixVector<T>::element(std::uint32_t row, std::uint32_t column) const {
    if (!contains(row, column)) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    return elements[indexOf(row, column)];
}

template <class T>
void MatrixVector<T>::resize(std::uint32_t rows, std::uint32_t columns) {
    // The new storage is complete before it replaces the old, so a failure changes nothing.
    // Kept elements are exchanged into it, not copied: the old storage is dropped anyway, and
    // fractions keep the form they were typed in.
    std::vector<T> resized = zeroStorage(rows, columns);
    const std::size_t keptRows = std::min(rows, rowCount);
    const std::size_t keptColumns = std::min(columns, columnCount);
    for (std::size_t r = 0; r < keptRows; ++r) {
        std::swap_ranges(rowData(r), rowData(r) + keptColumns, resized.data() + r * columns);
    }
    elements.swap(resized);
    rowCount = rows;
    columnCount = columns;
}

template <class T>
std::vector<T> MatrixVector<T>::column(std::uint32_t k) const {
    if (k < 1 || k > columnCount) {
        throw MatrixException(MatrixError::ColumnOutOfRange);
    }
    detail::requireStorage(rowCount, 1, sizeof(T));
    std::vector<T> result;
    result.reserve(rowCount);
    for (std::size_t i = 0; i < rowCount; ++i) {
        result.push_back(rowData(i)[k - 1]);
    }
    return result;
}

template <class T>
void MatrixVector<T>::swapRows(std::uint32_t a, std::uint32_t b) {
    if (!contains(a, 1) || !contains(b, 1)) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    if (a != b) {
        std::swap_ranges(rowData(a - 1), rowData(a - 1) + columnCount, rowData(b - 1));
    }
}

template <class T>
void MatrixVector<T>::swapColumns(std::uint32_t a, std::uint32_t b) {
    if (!contains(1, a) || !contains(1, b)) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    using std::swap;
    for (std::size_t r = 0; r < rowCount; ++r) {
        swap(rowData(r)[a - 1], rowData(r)[b - 1]);
    }
}

template <class T>
template <class Rule>
bool MatrixVector<T>::isSquareWith(Rule rule) const {
    if (rowCount != columnCount) {
        return false;
    }
    for (std::uint32_t i = 0; i < rowCount; ++i) {
        const T* const row = rowData(i);
        for (std::uint32_t j = 0; j < columnCount; ++j) {
            if (!rule(i, j, row[j])) {
                return false;
            }
        }
    }
    return true;
}

template <class T>
bool MatrixVector<T>::isZeroMatrix() const {
    return isSquareWith([](auto, auto, const T& x) { return ElementTraits<T>::isZero(x); });
}

template <class T>
bool MatrixVector<T>::isIdentityMatrix() const {
    return isSquareWith([one = ElementTraits<T>::one()](auto i, auto j, const T& x) {
        return i == j ? x == one : ElementTraits<T>::isZero(x);
    });
}

template <class T>
bool MatrixVector<T>::isScalarMatrix() const {
    return isSquareWith([this](auto i, auto j, const T& x) {
        return i == j ? x == elements[0] : ElementTraits<T>::isZero(x);
    });
}

template <class T>
bool MatrixVector<T>::isDiagonalMatrix() const {
    return isSquareWith(
        [](auto i, auto j, const T& x) { return i == j || ElementTraits<T>::isZero(x); });
}

template <class T>
bool MatrixVector<T>::isUpperTriangular() const {
    return isSquareWith(
        [](auto i, auto j, const T& x) { return i <= j || ElementTraits<T>::isZero(x); });
}

template <class T>
bool MatrixVector<T>::isLowerTriangular() const {
    return isSquareWith(
        [](auto i, auto j, const T& x) { return i >= j || ElementTraits<T>::isZero(x); });
}

extern template class MatrixVector<float>;
extern template class MatrixVector<double>;
extern template class MatrixVector<Complex>;
extern template class MatrixVector<Bruch>;

}  // namespace zifferon
