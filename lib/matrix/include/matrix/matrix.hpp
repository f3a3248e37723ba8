#pragma once

#include <cstdint>

#include "matrix/matrix_arithmetic.hpp"
#include "matrix/matrix_math.hpp"

namespace zifferon {

// The matrix that programs hold: storage with both operation layers, sharing one
// MatrixVector<T>.
template <class T>
class Matrix : public MatrixArithmetic<T>, public MatrixMath<T> {
public:
    // The virtual base is built here, by the most derived class; the layers add no data.
    Matrix() = default;
    Matrix(std::uint32_t rows, std::uint32_t columns) : MatrixVector<T>(rows, columns) {}
    Matrix(const Matrix& other) = default;
    Matrix(Matrix&& other) = default;
    // Assignment is the storage's: equal sizes only, else error 104. Written out so that the
    // shared base is assigned once, not once per layer.
    Matrix& operator=(const MatrixVector<T>& other) {
        MatrixVector<T>::operator=(other);
        return *this;
    }
    Matrix& operator=(const Matrix& other) {
        MatrixVector<T>::operator=(other);
        return *this;
    }
    ~Matrix() override = default;
};

extern template class Matrix<float>;
extern template class Matrix<double>;
extern template class Matrix<Complex>;
extern template class Matrix<Bruch>;

}  // namespace zifferon
