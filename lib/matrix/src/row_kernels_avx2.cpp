// The row kernels with AVX2 (and without FMA, which the avx2 target does not include): only
// these functions are compiled for it, so nothing else of the library needs the instruction set.
// Every element is multiplied, then subtracted or added, in the operand order of the loops in
// row_kernels.hpp; the tails run those loops.
#include "zifferon/matrix/row_kernel_sets.hpp"
#include "zifferon/matrix/row_kernels.hpp"

#if ZIFFERON_AVX2_ROW_KERNELS

#include <immintrin.h>

#include <algorithm>
#include <cstdint>
#include <type_traits>

#define ZIFFERON_AVX2 __attribute__((target("avx2")))
// Vectors never cross a call: the Windows calling convention would pass them through memory
// that is not aligned for them.
#define ZIFFERON_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

namespace zifferon::row_kernels {

namespace {

// One register of elements and the element operations the kernels need, per element type.
template <class S>
struct RegisterOf;
template <>
struct RegisterOf<float> {
    using Type = __m256;
};
template <>
struct RegisterOf<double> {
    using Type = __m256d;
};

template <class S>
struct RealLanes {
    static constexpr bool single = std::is_same_v<S, float>;
    using Scalar = S;
    using Vector = typename RegisterOf<S>::Type;
    struct Factor {
        Vector value;
    };
    static constexpr std::size_t width = 32 / sizeof(S);

    ZIFFERON_AVX2_INLINE static Vector load(const S* p) {
        if constexpr (single) {
            return _mm256_loadu_ps(p);
        } else {
            return _mm256_loadu_pd(p);
        }
    }
    ZIFFERON_AVX2_INLINE static void store(S* p, Vector v) {
        if constexpr (single) {
            _mm256_storeu_ps(p, v);
        } else {
            _mm256_storeu_pd(p, v);
        }
    }
    // The first `count` < width lanes; the others read as zero and are not written.
    ZIFFERON_AVX2_INLINE static __m256i firstLanes(std::size_t count) {
        if constexpr (single) {
            return _mm256_cmpgt_epi32(_mm256_set1_epi32(static_cast<int>(count)),
                                      _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        } else {
            return _mm256_cmpgt_epi64(_mm256_set1_epi64x(static_cast<long long>(count)),
                                      _mm256_setr_epi64x(0, 1, 2, 3));
        }
    }
    ZIFFERON_AVX2_INLINE static Vector load(const S* p, __m256i lanes) {
        if constexpr (single) {
            return _mm256_maskload_ps(p, lanes);
        } else {
            return _mm256_maskload_pd(p, lanes);
        }
    }
    ZIFFERON_AVX2_INLINE static void store(S* p, __m256i lanes, Vector v) {
        if constexpr (single) {
            _mm256_maskstore_ps(p, lanes, v);
        } else {
            _mm256_maskstore_pd(p, lanes, v);
        }
    }
    ZIFFERON_AVX2_INLINE static Factor factor(const S& f) {
        if constexpr (single) {
            return {_mm256_set1_ps(f)};
        } else {
            return {_mm256_set1_pd(f)};
        }
    }
    ZIFFERON_AVX2_INLINE static Vector multiply(Vector a, Vector b) {
        if constexpr (single) {
            return _mm256_mul_ps(a, b);
        } else {
            return _mm256_mul_pd(a, b);
        }
    }
    ZIFFERON_AVX2_INLINE static Vector timesFactor(Vector v, Factor f) {
        return multiply(v, f.value);
    }
    ZIFFERON_AVX2_INLINE static Vector factorTimes(Factor f, Vector v) {
        return multiply(f.value, v);
    }
    ZIFFERON_AVX2_INLINE static Vector subtract(Vector a, Vector b) {
        if constexpr (single) {
            return _mm256_sub_ps(a, b);
        } else {
            return _mm256_sub_pd(a, b);
        }
    }
    ZIFFERON_AVX2_INLINE static Vector add(Vector a, Vector b) {
        if constexpr (single) {
            return _mm256_add_ps(a, b);
        } else {
            return _mm256_add_pd(a, b);
        }
    }
};

// Complex numbers are stored as (real, imaginary) pairs, two to a register. The product
// (a + bi)(c + di) = (ac - bd) + (ad + bc)i is [a a] * [c d] combined with [b b] * [d c] by
// addsub, which subtracts in the real and adds in the imaginary half.
struct ComplexLanes {
    using Scalar = Complex;
    using Vector = __m256d;
    struct Factor {
        __m256d real;      // [c c c c]
        __m256d imag;      // [d d d d]
        __m256d realImag;  // [c d c d]
        __m256d imagReal;  // [d c d c]
    };
    static constexpr std::size_t width = 2;

    ZIFFERON_AVX2_INLINE static Vector load(const Complex* p) {
        return _mm256_loadu_pd(reinterpret_cast<const double*>(p));
    }
    ZIFFERON_AVX2_INLINE static void store(Complex* p, Vector v) {
        _mm256_storeu_pd(reinterpret_cast<double*>(p), v);
    }
    ZIFFERON_AVX2_INLINE static Factor factor(const Complex& f) {
        const double c = f.real();
        const double d = f.imag();
        return {_mm256_set1_pd(c), _mm256_set1_pd(d), _mm256_setr_pd(c, d, c, d),
                _mm256_setr_pd(d, c, d, c)};
    }
    // v = [a b], f = c + di: [a a] * [c d] addsub [b b] * [d c].
    ZIFFERON_AVX2_INLINE static Vector timesFactor(Vector v, Factor f) {
        const __m256d aa = _mm256_movedup_pd(v);
        const __m256d bb = _mm256_permute_pd(v, 0xF);
        return _mm256_addsub_pd(_mm256_mul_pd(aa, f.realImag), _mm256_mul_pd(bb, f.imagReal));
    }
    // f = a + bi, v = [c d]: [a a] * [c d] addsub [b b] * [d c].
    ZIFFERON_AVX2_INLINE static Vector factorTimes(Factor f, Vector v) {
        const __m256d dc = _mm256_permute_pd(v, 0x5);
        return _mm256_addsub_pd(_mm256_mul_pd(f.real, v), _mm256_mul_pd(f.imag, dc));
    }
    ZIFFERON_AVX2_INLINE static Vector subtract(Vector a, Vector b) { return _mm256_sub_pd(a, b); }
    ZIFFERON_AVX2_INLINE static Vector add(Vector a, Vector b) { return _mm256_add_pd(a, b); }
};

// The elements before the first one on a 32-byte boundary, at most count: stores that straddle
// two cache lines would cost up to a fifth of the time, depending on where the heap happened
// to put the matrix.
template <class S>
std::size_t elementsBeforeAlignment(const S* p, std::size_t count) {
    const auto address = reinterpret_cast<std::uintptr_t>(p);
    if (address % sizeof(S) != 0) {
        return 0;
    }
    return std::min(count, (32 - address % 32) % 32 / sizeof(S));
}

template <class L, class S = typename L::Scalar>
ZIFFERON_AVX2 void subtract(S* row, const S* pivot, const S& factor, std::size_t count) {
    const typename L::Factor f = L::factor(factor);
    std::size_t j = elementsBeforeAlignment(row, count);
    subtractScaledRowLoop(row, pivot, factor, j);
    for (; j + L::width <= count; j += L::width) {
        L::store(row + j, L::subtract(L::load(row + j), L::timesFactor(L::load(pivot + j), f)));
    }
    subtractScaledRowLoop(row + j, pivot + j, factor, count - j);
}

// The first `count` elements of the row (fewer than a register) by every pivot in turn: one
// masked register for float and double, the plain loop for Complex (at most one element).
template <class L, class S = typename L::Scalar>
ZIFFERON_AVX2_INLINE void subtractRowsPart(S* row, const S* pivots, std::size_t stride,
                                           const S* factors, std::size_t pivotCount,
                                           std::size_t count) {
    if constexpr (std::is_same_v<S, Complex>) {
        subtractScaledRowsLoop(row, pivots, stride, factors, pivotCount, count);
    } else if (count > 0) {
        const __m256i lanes = L::firstLanes(count);
        typename L::Vector v = L::load(row, lanes);
        for (std::size_t t = 0; t < pivotCount; ++t) {
            v = L::subtract(
                v, L::timesFactor(L::load(pivots + t * stride, lanes), L::factor(factors[t])));
        }
        L::store(row, lanes, v);
    }
}

// Four registers of the row at a time take every pivot in turn before they are stored: four
// chains of subtractions, so that each waits less for the one before it.
template <class L, class S = typename L::Scalar>
ZIFFERON_AVX2 void subtractRows(S* row, const S* pivots, std::size_t stride, const S* factors,
                                std::size_t pivotCount, std::size_t count) {
    constexpr std::size_t w = L::width;
    std::size_t j = elementsBeforeAlignment(row, count);
    subtractRowsPart<L>(row, pivots, stride, factors, pivotCount, j);
    for (; j + 4 * w <= count; j += 4 * w) {
        typename L::Vector v0 = L::load(row + j);
        typename L::Vector v1 = L::load(row + j + w);
        typename L::Vector v2 = L::load(row + j + 2 * w);
        typename L::Vector v3 = L::load(row + j + 3 * w);
        for (std::size_t t = 0; t < pivotCount; ++t) {
            const typename L::Factor f = L::factor(factors[t]);
            const S* const pivot = pivots + t * stride + j;
            v0 = L::subtract(v0, L::timesFactor(L::load(pivot), f));
            v1 = L::subtract(v1, L::timesFactor(L::load(pivot + w), f));
            v2 = L::subtract(v2, L::timesFactor(L::load(pivot + 2 * w), f));
            v3 = L::subtract(v3, L::timesFactor(L::load(pivot + 3 * w), f));
        }
        L::store(row + j, v0);
        L::store(row + j + w, v1);
        L::store(row + j + 2 * w, v2);
        L::store(row + j + 3 * w, v3);
    }
    for (; j + w <= count; j += w) {
        typename L::Vector v = L::load(row + j);
        for (std::size_t t = 0; t < pivotCount; ++t) {
            v = L::subtract(
                v, L::timesFactor(L::load(pivots + t * stride + j), L::factor(factors[t])));
        }
        L::store(row + j, v);
    }
    subtractRowsPart<L>(row + j, pivots + j, stride, factors, pivotCount, count - j);
}

// sums[j] = sums[j] + factor * row[j] for j < count: the product's rows one at a time.
template <class L, class S = typename L::Scalar>
ZIFFERON_AVX2 void add(S* sums, const S& factor, const S* row, std::size_t count) {
    const typename L::Factor f = L::factor(factor);
    std::size_t j = elementsBeforeAlignment(sums, count);
    addScaledRowLoop(sums, factor, row, j);
    for (; j + L::width <= count; j += L::width) {
        L::store(sums + j, L::add(L::load(sums + j), L::factorTimes(f, L::load(row + j))));
    }
    addScaledRowLoop(sums + j, factor, row + j, count - j);
}

// Four rows and two registers of columns at a time: the eight sums stay in registers while k
// runs, and each register of the right operand serves four rows. Complex elements need more
// registers per product than there are; they take the rows one at a time.
template <class L, class S = typename L::Scalar>
ZIFFERON_AVX2 void addProducts(S* sums, const S* left, std::size_t leftStride, const S* right,
                               std::size_t rows, std::size_t inner, std::size_t columns) {
    constexpr std::size_t w = L::width;
    std::size_t j = 0;
    if (rows == 4 && !std::is_same_v<S, Complex>) {
        S* const s0 = sums;
        S* const s1 = sums + columns;
        S* const s2 = sums + 2 * columns;
        S* const s3 = sums + 3 * columns;
        for (; j + 2 * w <= columns; j += 2 * w) {
            typename L::Vector a0 = L::load(s0 + j), b0 = L::load(s0 + j + w);
            typename L::Vector a1 = L::load(s1 + j), b1 = L::load(s1 + j + w);
            typename L::Vector a2 = L::load(s2 + j), b2 = L::load(s2 + j + w);
            typename L::Vector a3 = L::load(s3 + j), b3 = L::load(s3 + j + w);
            for (std::size_t k = 0; k < inner; ++k) {
                const typename L::Vector low = L::load(right + k * columns + j);
                const typename L::Vector high = L::load(right + k * columns + j + w);
                typename L::Factor f = L::factor(left[k]);
                a0 = L::add(a0, L::factorTimes(f, low));
                b0 = L::add(b0, L::factorTimes(f, high));
                f = L::factor(left[leftStride + k]);
                a1 = L::add(a1, L::factorTimes(f, low));
                b1 = L::add(b1, L::factorTimes(f, high));
                f = L::factor(left[2 * leftStride + k]);
                a2 = L::add(a2, L::factorTimes(f, low));
                b2 = L::add(b2, L::factorTimes(f, high));
                f = L::factor(left[3 * leftStride + k]);
                a3 = L::add(a3, L::factorTimes(f, low));
                b3 = L::add(b3, L::factorTimes(f, high));
            }
            L::store(s0 + j, a0);
            L::store(s0 + j + w, b0);
            L::store(s1 + j, a1);
            L::store(s1 + j + w, b1);
            L::store(s2 + j, a2);
            L::store(s2 + j + w, b2);
            L::store(s3 + j, a3);
            L::store(s3 + j + w, b3);
        }
    }
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t k = 0; k < inner; ++k) {
            add<L>(sums + r * columns + j, left[r * leftStride + k], right + k * columns + j,
                   columns - j);
        }
    }
}

template <class L>
constexpr Kernels<typename L::Scalar> kernels() {
    return {&subtract<L>, &subtractRows<L>, &addProducts<L>};
}

}  // namespace

const KernelSet* avx2Kernels() {
    static constexpr KernelSet set{kernels<RealLanes<float>>(), kernels<RealLanes<double>>(),
                                   kernels<ComplexLanes>()};
    return &set;
}

}  // namespace zifferon::row_kernels

#else

namespace zifferon::row_kernels {

const KernelSet* avx2Kernels() {
    return nullptr;
}

}  // namespace zifferon::row_kernels

#endif
