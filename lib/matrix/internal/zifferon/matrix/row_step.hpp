#pragma once

#include "zifferon/matrix/element_traits.hpp"

namespace zifferon {

// An elimination step takes factor times pivot row p off row k, the factor chosen to clear row
// k's entry in the pivot's column c; the constants r go with their rows. Its start is the same
// in every elimination, step by step or blocked: the factor W(k, c) / W(p, c), and at once
// r[k] = r[k] - factor * r[p]. The row's elements follow, W(k, j) = W(k, j) - W(p, j) * factor
// (subtractScaledRow), all at once or a block's columns at a time. The factor serves only
// these steps, so the exact types may leave it unreduced: a gcd less, the steps' own gcds a
// little longer.
template <class T>
T startRowStep(const T& entry, const T& pivot, T& constant, const T& pivotConstant) {
    const T factor = ElementTraits<T>::unreducedQuotient(entry, pivot);
    subtractProduct(constant, factor, pivotConstant);
    return factor;
}

}  // namespace zifferon
