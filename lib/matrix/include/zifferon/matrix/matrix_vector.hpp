#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "zifferon/matrix/element_types.hpp"
#include "zifferon/matrix/matrix_exception.hpp"

namespace zifferon {

// Storage of one dense matrix with 1-based, bounds-tested element access.
//
// The elements lie row by row in one block: element (r, c) is elements[(r - 1) * columnCount +
// (c - 1)], so a matrix is one allocation, and a row is a contiguous run the operation layers
// can loop over. Invariants: rowCount >= 1, columnCount >= 1 and elements.size() == rowCount *
// columnCount. Copies are deep. Assignment copies elements between matrices of equal size only
// and never changes the dimensions; only `resize` does. Every failing operation throws before
// it changes anything.
//
// Moving keeps that rule, so that std::swap and the standard algorithms work on matrices and
// never lose one: a matrix keeps its dimensions when it is moved from. Move construction copies
// (the source keeps its values); Matrix<T>'s move assignment exchanges the elements of two
// matrices of equal size (the source holds the target's former values, see exchangeElements),
// and throws error 104 between different sizes, changing neither. So std::swap exchanges two
// matrices of equal size, and refuses two of different sizes with error 104, leaving both as
// they were.
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
    // Also the move constructor (see above). A copy of a size beyond the machine's memory throws
    // std::bad_alloc.
    MatrixVector(const MatrixVector& other);
    // Copies the elements of a matrix of the same size; otherwise throws error 104. Also the
    // move assignment of the storage and of the layers alone.
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
    // Exchanges the elements with a matrix of the same size; otherwise throws error 104. The
    // move assignment of Matrix<T>, which assigns the shared base once.
    void exchangeElements(MatrixVector& other);

    // Row i, counted from 0: its columnCount elements start here.
    T* rowData(std::size_t i) noexcept { return elements.data() + i * columnCount; }
    const T* rowData(std::size_t i) const noexcept { return elements.data() + i * columnCount; }

    std::vector<T> elements;
    std::uint32_t rowCount = 0;
    std::uint32_t columnCount = 0;
};

extern template class MatrixVector<float>;
extern template class MatrixVector<double>;
extern template class MatrixVector<Complex>;
extern template class MatrixVector<Bruch>;

}  // namespace zifferon
