#pragma once

#include <cstdint>

#include "matrix/matrix_vector.hpp"

namespace zifferon {

// The linear-algebra layer: determinant, adjugate, inverse and the equation solver.
template <class T>
class MatrixMath : public virtual MatrixVector<T> {
public:
    MatrixMath() = default;
    MatrixMath(std::uint32_t rows, std::uint32_t columns) : MatrixVector<T>(rows, columns) {}
    MatrixMath(const MatrixMath& other) = default;
    MatrixMath(MatrixMath&& other) = default;
    // Assignment is the storage's: equal sizes only, else error 104.
    MatrixMath& operator=(const MatrixVector<T>& other) {
        MatrixVector<T>::operator=(other);
        return *this;
    }
    MatrixMath& operator=(const MatrixMath& other) {
        MatrixVector<T>::operator=(other);
        return *this;
    }
    ~MatrixMath() override = default;
};

extern template class MatrixMath<float>;
extern template class MatrixMath<double>;
extern template class MatrixMath<Complex>;
extern template class MatrixMath<Bruch>;

}  // namespace zifferon
