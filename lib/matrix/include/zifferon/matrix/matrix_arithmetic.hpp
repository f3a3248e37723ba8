#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/matrix_exception.hpp"
#include "zifferon/matrix/matrix_vector.hpp"
#include "zifferon/matrix/row_kernels.hpp"

namespace zifferon {

template <class T>
class Matrix;

// The arithmetic layer: sum, difference, product and vector product of matrices.
//
// Every operation leaves both operands unchanged and returns a new Matrix<T>, so that results
// compose with both layers: (a + b).determinant(), a * b.inverse(). Dimensions are
// checked before anything is computed; an error of the element type (a fraction overflow)
// passes through unchanged.
template <class T>
class MatrixArithmetic : public virtual MatrixVector<T> {
public:
    // Built and assigned as the storage: Matrix<T> assigns the shared base once.
    using MatrixVector<T>::MatrixVector;

    // Element by element; error 202 (sum) or 203 (difference) unless the dimensions agree.
    Matrix<T> operator+(const MatrixArithmetic& right) const;
    Matrix<T> operator-(const MatrixArithmetic& right) const;
    // Two column vectors of more than one row give their vectorProduct. Otherwise the matrix
    // product, each element summed over the inner index in increasing order, starting from
    // zero; error 200 unless this has as many columns as right has rows.
    Matrix<T> operator*(const MatrixArithmetic& right) const;
    // Component k is a(k+1) b(k+2) - a(k+2) b(k+1), row numbers taken cyclically: the cross
    // product for three rows. Error 204 unless both are column vectors of more than one row,
    // then 201 unless their row counts agree; two rows give error 103, as component 1 then
    // names row 3.
    Matrix<T> vectorProduct(const MatrixArithmetic& right) const;

private:
    bool isColumnVector() const { return this->columnCount == 1 && this->rowCount > 1; }
    template <class Operation>
    Matrix<T> elementwise(const MatrixArithmetic& right, MatrixError mismatch,
                          Operation operation) const;
};

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
    // Row i of the result takes the terms k = 1, 2, ... in turn, so every element still sums
    // its own terms in increasing k, each partial sum stored as T; walking rows instead of
    // columns of the right operand, a few rows at a time, only changes the order in which
    // elements are visited (and for Bruch not even that, see addProductsLoop).
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

extern template class MatrixArithmetic<float>;
extern template class MatrixArithmetic<double>;
extern template class MatrixArithmetic<Complex>;
extern template class MatrixArithmetic<Bruch>;

}  // namespace zifferon
