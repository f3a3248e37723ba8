#pragma once

#include "zifferon/matrix/element_types.hpp"
#include "zifferon/matrix/matrix_exception.hpp"
#include "zifferon/matrix/matrix_vector.hpp"

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

extern template class MatrixArithmetic<float>;
extern template class MatrixArithmetic<double>;
extern template class MatrixArithmetic<Complex>;
extern template class MatrixArithmetic<Bruch>;

}  // namespace zifferon
