#pragma once

// The library's algebra written as plain loops over one contiguous row-major array: the same
// operations on the same values in the same order, so the results agree bit for bit (the
// benchmarks check that before they time anything). What the library costs on top of this,
// its storage, class tree and checks, is what the comparison measures.
//
// The element type is a template parameter, so the same loops also run on boost::rational, a
// fraction type a C++ user would otherwise pick. GMP's rationals run the solver and the
// determinant through its C API instead (gmp_elimination.hpp), as value types would allocate.

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "zifferon/matrix/element_traits.hpp"

namespace zifferon::bench {

// Zero test, one, product, the elimination step c - a * b, the unreduced product and quotient,
// the working copy, whether the arithmetic is exact and the store of a computed value: the
// library's own for its four element types (the store an exchange, see storeResult).
template <class S>
struct Scalar : ElementTraits<S> {
    static void store(S& target, S value) noexcept {
        using std::swap;
        swap(target, value);
    }
};

// A square system's outcome; the benchmark systems are regular, and a singular one is only
// recognised, not classified.
enum class BareStatus { Unique, Singular };

template <class S>
using Array = std::vector<S>;

// Every element above (lower) or below (upper) the diagonal is zero; tested row by row, as
// the library does, up to the first one that is not.
template <class S>
bool bareIsLowerTriangular(const Array<S>& a, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (!Scalar<S>::isZero(a[i * n + j])) {
                return false;
            }
        }
    }
    return true;
}

template <class S>
bool bareIsUpperTriangular(const Array<S>& a, std::size_t n) {
    for (std::size_t i = 1; i < n; ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (!Scalar<S>::isZero(a[i * n + j])) {
                return false;
            }
        }
    }
    return true;
}

// d = w(i,i) * d for i = 0..n-1, from one.
template <class S>
S bareDiagonalProduct(const Array<S>& w, std::size_t n) {
    S d = Scalar<S>::one();
    for (std::size_t i = 0; i < n; ++i) {
        d = Scalar<S>::product(w[i * n + i], d);
    }
    return d;
}

// Upper triangular form with the same determinant; a zero pivot is replaced by the first
// column with a non-zero entry in the pivot row, paid for by negating that row.
template <class S>
void bareTriangulate(Array<S>& w, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        S* const pivotRow = w.data() + i * n;
        if (i + 1 < n && Scalar<S>::isZero(pivotRow[i])) {
            for (std::size_t k = 0; k < n; ++k) {
                if (k != i && !Scalar<S>::isZero(pivotRow[k])) {
                    for (std::size_t r = 0; r < n; ++r) {
                        using std::swap;
                        swap(w[r * n + i], w[r * n + k]);
                    }
                    for (std::size_t j = 0; j < n; ++j) {
                        Scalar<S>::store(pivotRow[j], -pivotRow[j]);
                    }
                    break;
                }
            }
        }
        if (Scalar<S>::isZero(pivotRow[i])) {
            return;
        }
        for (std::size_t b = i + 1; b < n; ++b) {
            S* const row = w.data() + b * n;
            const S factor = row[i] / pivotRow[i];
            for (std::size_t j = i; j < n; ++j) {
                Scalar<S>::store(row[j], row[j] - Scalar<S>::product(pivotRow[j], factor));
            }
        }
    }
}

template <class S>
S bareDeterminant(const Array<S>& a, std::size_t n) {
    if (bareIsLowerTriangular(a, n) || bareIsUpperTriangular(a, n)) {
        return bareDiagonalProduct(a, n);
    }
    Array<S> w = a;
    bareTriangulate(w, n);
    return bareDiagonalProduct(w, n);
}

// The transposed cofactors, each from the determinant of its minor.
template <class S>
Array<S> bareAdjugate(const Array<S>& a, std::size_t n) {
    const std::size_t m = n - 1;
    Array<S> minor(m * m);
    Array<S> result(n * n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            S* target = minor.data();
            for (std::size_t r = 0; r < n; ++r) {
                if (r == i) {
                    continue;
                }
                const S* const source = a.data() + r * n;
                target = std::copy(source, source + j, target);
                target = std::copy(source + j + 1, source + n, target);
            }
            const S d = bareDeterminant(minor, m);
            Scalar<S>::store(result[j * n + i], (i + j) % 2 == 0 ? d : S(-d));
        }
    }
    return result;
}

template <class S>
Array<S> bareInverse(const Array<S>& a, std::size_t n) {
    const S d = bareDeterminant(a, n);
    if (Scalar<S>::isZero(d)) {
        throw std::domain_error("singular");
    }
    Array<S> result = bareAdjugate(a, n);
    const S factor = S(Scalar<S>::one() / d);
    for (S& entry : result) {
        Scalar<S>::store(entry, Scalar<S>::product(factor, entry));
    }
    return result;
}

// c = a * b for a of n x m and b of m x p; each element sums its terms in increasing k.
template <class S>
Array<S> bareProduct(const Array<S>& a, const Array<S>& b, std::size_t n, std::size_t m,
                     std::size_t p) {
    Array<S> c(n * p);
    for (std::size_t i = 0; i < n; ++i) {
        S* const sums = c.data() + i * p;
        for (std::size_t k = 0; k < m; ++k) {
            using Factor = std::conditional_t<std::is_trivially_copyable_v<S>, const S, const S&>;
            Factor factor = a[i * m + k];
            const S* const rightRow = b.data() + k * p;
            for (std::size_t j = 0; j < p; ++j) {
                sums[j] += Scalar<S>::product(factor, rightRow[j]);
            }
        }
    }
    return c;
}

// The solver's copy of the operands: as the library makes it (see WorkingCopy), for fractions
// as stored.
template <class S>
Array<S> bareWorkingCopy(const Array<S>& values) {
    if constexpr (std::is_trivially_copyable_v<S>) {
        return values;
    } else {
        Array<S> copy(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            Scalar<S>::store(copy[i], Scalar<S>::workingCopy(values[i]));
        }
        return copy;
    }
}

// Gaussian elimination of the square system a x = b, rows exchanged only for an exactly zero
// pivot, every row update over all n columns (for exact arithmetic only those right of the
// pivot, the pivot's column set to zero, as the library does); the regularity test on the
// diagonal product; back substitution column by column from the bottom. x is written only for
// a regular system.
template <class S>
BareStatus bareSolve(const Array<S>& a, const Array<S>& b, Array<S>& x, std::size_t n) {
    Array<S> w = bareWorkingCopy(a);
    Array<S> r = bareWorkingCopy(b);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        S* const pivotRow = w.data() + i * n;
        for (std::size_t k = i + 1; k < n; ++k) {
            if (Scalar<S>::isZero(pivotRow[i])) {
                std::size_t s = k;
                while (s < n && Scalar<S>::isZero(w[s * n + i])) {
                    ++s;
                }
                if (s == n) {
                    break;
                }
                std::swap_ranges(pivotRow, pivotRow + n, w.data() + s * n);
                using std::swap;
                swap(r[i], r[s]);
            }
            S* const rowK = w.data() + k * n;
            const S factor = Scalar<S>::unreducedQuotient(rowK[i], pivotRow[i]);
            Scalar<S>::store(r[k], Scalar<S>::minusProduct(r[k], factor, r[i]));
            for (std::size_t q = Scalar<S>::exact ? i + 1 : 0; q < n; ++q) {
                Scalar<S>::store(rowK[q], Scalar<S>::minusProduct(rowK[q], pivotRow[q], factor));
            }
            if constexpr (Scalar<S>::exact) {
                Scalar<S>::store(rowK[i], S());
            }
        }
    }

    S p = Scalar<S>::workingCopy(w[0]);
    for (std::size_t i = 1; i < n; ++i) {
        Scalar<S>::store(p, Scalar<S>::unreducedProduct(p, w[i * n + i]));
        if (Scalar<S>::isZero(p)) {
            break;
        }
    }
    if (Scalar<S>::isZero(p)) {
        return BareStatus::Singular;
    }

    for (std::size_t step = n; step-- > 0;) {
        S& ri = r[step];
        const S& pivot = w[step * n + step];
        if (Scalar<S>::isZero(ri) && Scalar<S>::isZero(pivot)) {
            continue;
        }
        Scalar<S>::store(ri, ri / pivot);
        for (std::size_t k = step; k-- > 0;) {
            Scalar<S>::store(r[k], Scalar<S>::minusProduct(r[k], w[k * n + step], ri));
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        using std::swap;
        swap(x[i], r[i]);
    }
    return BareStatus::Unique;
}

}  // namespace zifferon::bench
