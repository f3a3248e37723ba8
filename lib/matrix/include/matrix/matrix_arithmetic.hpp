#pragma once

#include <cstdint>

#include "matrix/matrix_vector.hpp"

namespace zifferon {

// The arithmetic layer: sum, difference, product and vector product of matrices.
template <class T>
class MatrixArithmetic : public virtual MatrixVector<T> {
public:
    MatrixArithmetic() = default;
    MatrixArithmetic(std::uint32_t rows, std::uint32_t columns) : MatrixVector<T>(rows, columns) {}
    MatrixArithmetic(const MatrixArithmetic& other) = default;
    MatrixArithmetic(MatrixArithmetic&& other) = default;
    // Assignment is the storage's: equal sizes only, else error 104.
    MatrixArithmetic& operator=(const MatrixVector<T>& other) {
        MatrixVector<T>::operator=(other);
        return *this;
    }
    MatrixArithmetic& operator=(const MatrixArithmetic& other) {
        MatrixVector<T>::operator=(other);
        return *this;
    }
    ~MatrixArithmetic() override = default;
};

extern template class MatrixArithmetic<float>;
extern template class MatrixArithmetic<double>;
extern template class MatrixArithmetic<Complex>;
extern template class MatrixArithmetic<Bruch>;

}  // namespace zifferon
