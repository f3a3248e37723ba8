// Determinant, adjugate and inverse: the linear-algebra layer, compiled here for the four element
// types. Its solver is in solve.cpp.
#include "zifferon/matrix/matrix_math.hpp"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/fixed_order.hpp"
#include "zifferon/matrix/matrix.hpp"
#include "zifferon/matrix/row_kernels.hpp"
#include "zifferon/matrix/working_copy.hpp"
#include "zifferon/matrix/working_storage.hpp"

namespace zifferon {

namespace {

template <class T>
void requireSquare(const MatrixVector<T>& matrix) {
    if (matrix.getRows() != matrix.getColumns()) {
        throw MatrixException(MatrixError::NotSquare);
    }
}

// Every element (i, j) with i < j of the square matrix e of order n is zero, found at
// i * rowStep + j * columnStep: (n, 1) looks above the diagonal, (1, n) below it.
template <class T, class Order, class RowStep, class ColumnStep>
bool zeroOffDiagonal(const T* e, Order n, RowStep rowStep, ColumnStep columnStep) {
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (!ElementTraits<T>::isZero(e[i * rowStep + j * columnStep])) {
                return false;
            }
        }
    }
    return true;
}

// isLowerTriangular() || isUpperTriangular() of the square matrix e of order n, without the
// shape test.
template <class T, class Order>
bool isTriangular(const T* e, Order n) {
    return zeroOffDiagonal(e, n, n, 1) || zeroOffDiagonal(e, n, 1, n);
}

// d = w(i, i) * d for i = 0..n-1, from d = 1; no early exit.
template <class T, class Order>
T diagonalProduct(const T* w, Order n) {
    T d = ElementTraits<T>::one();
    for (std::size_t i = 0; i < n; ++i) {
        d = ElementTraits<T>::product(w[i * n + i], d);
    }
    return d;
}

// Brings the square matrix w (n x n, row by row), which is not triangular, to upper triangular
// form with the same determinant. A zero pivot is replaced by the first column, left or right,
// whose entry in the pivot row is non-zero (left of the pivot only floating-point residues can
// be); the exchange is paid for by negating the pivot row. The last pivot is not replaced.
// Without such a column the matrix is singular and the elimination stops, leaving a zero on
// the diagonal.
template <class T, class Order>
void triangulate(T* w, Order n) {
    using Traits = ElementTraits<T>;
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

// The determinant of the square matrix `elements` of order n, read only: a triangular matrix
// gives its diagonal product at once, any other that of its triangular form.
template <class T, class Order>
T determinantOfOrder(const T* elements, Order n) {
    if (isTriangular(elements, n)) {
        return diagonalProduct(elements, n);
    }
    detail::WorkingMatrix<T> w(elements, n * n);
    triangulate(w.data(), n);
    return diagonalProduct(w.data(), n);
}

template <class T>
T determinantOf(const T* elements, std::size_t n) {
    return detail::withOrder<T>(
        n, [elements](auto order) { return determinantOfOrder(elements, order); });
}

}  // namespace

template <class T>
T MatrixMath<T>::determinant() const {
    requireSquare(*this);
    requireMemory(determinantStorage<T>(this->rowCount));
    return determinantOf(this->elements.data(), this->rowCount);
}

template <class T>
Matrix<T> MatrixMath<T>::adjugate() const {
    requireSquare(*this);
    requireMemory(adjugateStorage<T>(this->rowCount));
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
            const T d = determinantOf(minor.elements.data(), n - 1);
            storeResult(result.elements[j * n + i], (i + j) % 2 == 0 ? d : -d);
        }
    }
    return result;
}

template <class T>
Matrix<T> MatrixMath<T>::inverse() const {
    const T d = determinant();
    if (ElementTraits<T>::isZero(d)) {
        throw MatrixException(MatrixError::NoInverse);
    }
    Matrix<T> result = adjugate();
    const T factor = ElementTraits<T>::one() / d;
    for (T& entry : result.elements) {
        storeResult(entry, ElementTraits<T>::product(factor, entry));
    }
    return result;
}

template class MatrixMath<float>;
template class MatrixMath<double>;
template class MatrixMath<Complex>;
template class MatrixMath<Bruch>;

}  // namespace zifferon
