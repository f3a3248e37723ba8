#pragma once

#include "zifferon/matrix/element_types.hpp"
#include "zifferon/matrix/matrix_exception.hpp"
#include "zifferon/matrix/matrix_vector.hpp"
#include "zifferon/matrix/solve_status.hpp"

namespace zifferon {

template <class T>
class Matrix;

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

    // The product of the diagonal of the upper triangular form, which a zero pivot reaches by
    // a column exchange paid for by negating the pivot row. Error 300 unless the matrix is
    // square.
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
    // the call fails with 103.
    SolveStatus solve(Matrix<T>& x, const Matrix<T>& b) const;
};

extern template class MatrixMath<float>;
extern template class MatrixMath<double>;
extern template class MatrixMath<Complex>;
extern template class MatrixMath<Bruch>;

}  // namespace zifferon
