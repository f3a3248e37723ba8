// The equation solver of the linear-algebra layer, compiled here for the four element types; its
// steps are in solver_steps.hpp.
#include <algorithm>
#include <cstddef>

#include "zifferon/matrix/fixed_order.hpp"
#include "zifferon/matrix/linear_system.hpp"
#include "zifferon/matrix/matrix.hpp"
#include "zifferon/matrix/matrix_math.hpp"
#include "zifferon/matrix/solver_steps.hpp"
#include "zifferon/matrix/working_storage.hpp"

namespace zifferon {

namespace {

template <class T>
void requireSolvableShapes(const MatrixVector<T>& a, const MatrixVector<T>& x,
                           const MatrixVector<T>& b) {
    if (b.getColumns() != 1) {
        throw MatrixException(MatrixError::ConstantsNotColumnVector);
    }
    if (x.getColumns() != 1) {
        throw MatrixException(MatrixError::ResultNotColumnVector);
    }
    if (b.getRows() != x.getRows()) {
        throw MatrixException(MatrixError::ResultRowMismatch);
    }
    if (b.getRows() != a.getRows()) {
        throw MatrixException(MatrixError::EquationCountMismatch);
    }
}

// The system of the coefficients a and the constants b, of the given bounds; the solution goes
// to x only when it is unique.
template <class T, class Bounds>
SolveStatus solveWithin(Bounds bounds, const T* a, const T* b, T* x) {
    detail::WorkingSystem<T, Bounds> system(bounds, a, b);
    detail::eliminateForward(system);
    if (!detail::isRegular(system)) {
        return detail::classifySingular(system, a, b);
    }
    detail::substituteBack(system);
    // Exchanges cannot fail, so x is either written completely or not at all.
    std::swap_ranges(system.r.data(), system.r.data() + system.rows(), x);
    return SolveStatus::UniqueSolution;
}

}  // namespace

template <class T>
SolveStatus MatrixMath<T>::solve(Matrix<T>& x, const Matrix<T>& b) const {
    requireSolvableShapes(*this, x, b);
    requireMemory(solveStorage<T>(this->rowCount, this->columnCount));
    const T* const a = this->elements.data();
    if (this->rowCount != this->columnCount) {
        return solveWithin(detail::NonSquareBounds(this->rowCount, this->columnCount), a,
                           b.elements.data(), x.elements.data());
    }
    return detail::withOrder<T>(this->rowCount, [&](auto n) {
        return solveWithin(detail::SquareBounds<decltype(n)>(n), a, b.elements.data(),
                           x.elements.data());
    });
}

template SolveStatus MatrixMath<float>::solve(Matrix<float>&, const Matrix<float>&) const;
template SolveStatus MatrixMath<double>::solve(Matrix<double>&, const Matrix<double>&) const;
template SolveStatus MatrixMath<Complex>::solve(Matrix<Complex>&, const Matrix<Complex>&) const;
template SolveStatus MatrixMath<Bruch>::solve(Matrix<Bruch>&, const Matrix<Bruch>&) const;

}  // namespace zifferon
