// The storage layer, compiled here for the four element types.
#include "zifferon/matrix/matrix_vector.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/storage_limit.hpp"

namespace zifferon {

namespace {

// rows x columns zero elements. The memory is asked first: on Linux an oversized allocation is
// not refused but ends the process.
template <class T>
std::vector<T> zeroStorage(std::uint32_t rows, std::uint32_t columns) {
    if (rows == 0 || columns == 0) {
        throw MatrixException(MatrixError::SizeBelowOne);
    }
    requireMemory(storageBytes<T>(rows, columns));
    return std::vector<T>(std::size_t{rows} * columns);
}

// A copy of the elements of a rows x columns matrix, the memory asked first.
template <class T>
std::vector<T> copiedStorage(const std::vector<T>& elements, std::uint32_t rows,
                             std::uint32_t columns) {
    requireMemory(storageBytes<T>(rows, columns));
    return elements;
}

bool contains(std::uint32_t rows, std::uint32_t columns, std::uint32_t row,
              std::uint32_t column) noexcept {
    return row >= 1 && row <= rows && column >= 1 && column <= columns;
}

// Square, and rule(i, j, element) holds for every element, i and j counted from 0.
template <class T, class Rule>
bool isSquareWith(const std::vector<T>& elements, std::uint32_t rows, std::uint32_t columns,
                  Rule rule) {
    if (rows != columns) {
        return false;
    }
    const T* row = elements.data();
    for (std::uint32_t i = 0; i < rows; ++i, row += columns) {
        for (std::uint32_t j = 0; j < columns; ++j) {
            if (!rule(i, j, row[j])) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

template <class T>
MatrixVector<T>::MatrixVector(std::uint32_t rows, std::uint32_t columns)
    : elements(zeroStorage<T>(rows, columns)), rowCount(rows), columnCount(columns) {}

template <class T>
MatrixVector<T>::MatrixVector(const MatrixVector& other)
    : elements(copiedStorage(other.elements, other.rowCount, other.columnCount)),
      rowCount(other.rowCount),
      columnCount(other.columnCount) {}

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
void MatrixVector<T>::exchangeElements(MatrixVector& other) {
    if (other.rowCount != rowCount || other.columnCount != columnCount) {
        throw MatrixException(MatrixError::SizeMismatch);
    }
    elements.swap(other.elements);
}

template <class T>
T& MatrixVector<T>::element(std::uint32_t row, std::uint32_t column) {
    if (!contains(rowCount, columnCount, row, column)) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    return rowData(row - 1)[column - 1];
}

template <class T>
const T& MatrixVector<T>::element(std::uint32_t row, std::uint32_t column) const {
    if (!contains(rowCount, columnCount, row, column)) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    return rowData(row - 1)[column - 1];
}

template <class T>
void MatrixVector<T>::resize(std::uint32_t rows, std::uint32_t columns) {
    // The new storage is complete before it replaces the old, so a failure changes nothing.
    // Kept elements are exchanged into it, not copied: the old storage is dropped anyway, and
    // fractions keep the form they were typed in.
    std::vector<T> resized = zeroStorage<T>(rows, columns);
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
    requireMemory(storageBytes<T>(rowCount, 1));
    std::vector<T> result;
    result.reserve(rowCount);
    for (std::size_t i = 0; i < rowCount; ++i) {
        result.push_back(rowData(i)[k - 1]);
    }
    return result;
}

template <class T>
void MatrixVector<T>::swapRows(std::uint32_t a, std::uint32_t b) {
    if (!contains(rowCount, columnCount, a, 1) || !contains(rowCount, columnCount, b, 1)) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    if (a != b) {
        std::swap_ranges(rowData(a - 1), rowData(a - 1) + columnCount, rowData(b - 1));
    }
}

template <class T>
void MatrixVector<T>::swapColumns(std::uint32_t a, std::uint32_t b) {
    if (!contains(rowCount, columnCount, 1, a) || !contains(rowCount, columnCount, 1, b)) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    using std::swap;
    for (std::size_t r = 0; r < rowCount; ++r) {
        swap(rowData(r)[a - 1], rowData(r)[b - 1]);
    }
}

template <class T>
bool MatrixVector<T>::isZeroMatrix() const {
    return isSquareWith(elements, rowCount, columnCount,
                        [](auto, auto, const T& x) { return ElementTraits<T>::isZero(x); });
}

template <class T>
bool MatrixVector<T>::isIdentityMatrix() const {
    return isSquareWith(elements, rowCount, columnCount,
                        [one = ElementTraits<T>::one()](auto i, auto j, const T& x) {
                            return i == j ? x == one : ElementTraits<T>::isZero(x);
                        });
}

template <class T>
bool MatrixVector<T>::isScalarMatrix() const {
    return isSquareWith(elements, rowCount, columnCount, [this](auto i, auto j, const T& x) {
        return i == j ? x == elements[0] : ElementTraits<T>::isZero(x);
    });
}

template <class T>
bool MatrixVector<T>::isDiagonalMatrix() const {
    return isSquareWith(elements, rowCount, columnCount, [](auto i, auto j, const T& x) {
        return i == j || ElementTraits<T>::isZero(x);
    });
}

template <class T>
bool MatrixVector<T>::isUpperTriangular() const {
    return isSquareWith(elements, rowCount, columnCount, [](auto i, auto j, const T& x) {
        return i <= j || ElementTraits<T>::isZero(x);
    });
}

template <class T>
bool MatrixVector<T>::isLowerTriangular() const {
    return isSquareWith(elements, rowCount, columnCount, [](auto i, auto j, const T& x) {
        return i >= j || ElementTraits<T>::isZero(x);
    });
}

template class MatrixVector<float>;
template class MatrixVector<double>;
template class MatrixVector<Complex>;
template class MatrixVector<Bruch>;

}  // namespace zifferon
