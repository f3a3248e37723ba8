// The arithmetic layer, compiled here for the four element types.
#include "zifferon/matrix/matrix_arithmetic.hpp"

#include <algorithm>
#include <cstddef>

#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/matrix.hpp"
#include "zifferon/matrix/row_kernels.hpp"

namespace zifferon {

template <class T>
template <class Operation>
Matrix<T> MatrixArithmetic<T>::elementwise(const MatrixArithmetic& right, MatrixError mismatch,
                                           Operation operation) const {
    if (this->rowCount != right.rowCount || this->columnCount != right.columnCount) {
        throw MatrixException(mismatch);
    }
    Matrix<T> result(this->rowCount, this->columnCount);
    for (std::size_t i = 0; i < result.elements.size(); ++i) {
        storeResult(result.elements[i], operation(this->elements[i], right.elements[i]));
    }
    return result;
}

template <class T>
Matrix<T> MatrixArithmetic<T>::operator+(const MatrixArithmetic& right) const {
    return elementwise(right, MatrixError::SumSizeMismatch,
                       [](const T& a, const T& b) { return a + b; });
}

template <class T>
Matrix<T> MatrixArithmetic<T>::operator-(const MatrixArithmetic& right) const {
    return elementwise(right, MatrixError::DifferenceSizeMismatch,
                       [](const T& a, const T& b) { return a - b; });
}

template <class T>
Matrix<T> MatrixArithmetic<T>::operator*(const MatrixArithmetic& right) const {
    if (isColumnVector() && right.isColumnVector()) {
        return vectorProduct(right);
    }
    if (this->columnCount != right.rowCount) {
        throw MatrixException(MatrixError::ProductSizeMismatch);
    }
    Matrix<T> result(this->rowCount, right.columnCount);
    // A few rows of the result at a time, each taking the terms k = 1, 2, ... in turn: every
    // element sums its own terms in increasing k, each partial sum stored as T. Only the order
    // in which different elements are visited is not that of an (i, j, k) loop, and no result
    // depends on it.
    for (std::size_t i = 0; i < this->rowCount; i += productRows) {
        addProducts(result.rowData(i), this->rowData(i), this->columnCount, right.rowData(0),
                    std::min(productRows, this->rowCount - i), this->columnCount,
                    right.columnCount);
    }
    return result;
}

template <class T>
Matrix<T> MatrixArithmetic<T>::vectorProduct(const MatrixArithmetic& right) const {
    if (!isColumnVector() || !right.isColumnVector()) {
        throw MatrixException(MatrixError::NotColumnVectors);
    }
    if (this->rowCount != right.rowCount) {
        throw MatrixException(MatrixError::VectorRowMismatch);
    }
    const std::size_t n = this->rowCount;
    if (n == 2) {  // component 1 needs row 3 before the row numbers wrap around
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    Matrix<T> result(this->rowCount, 1);
    for (std::size_t k = 0; k < n; ++k) {
        const T& ai = this->elements[(k + 1) % n];
        const T& aj = this->elements[(k + 2) % n];
        const T& bi = right.elements[(k + 1) % n];
        const T& bj = right.elements[(k + 2) % n];
        storeResult(result.elements[k],
                    ElementTraits<T>::product(ai, bj) - ElementTraits<T>::product(aj, bi));
    }
    return result;
}

template class MatrixArithmetic<float>;
template class MatrixArithmetic<double>;
template class MatrixArithmetic<Complex>;
template class MatrixArithmetic<Bruch>;

}  // namespace zifferon
