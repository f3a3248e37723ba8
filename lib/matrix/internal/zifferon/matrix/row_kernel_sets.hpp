#pragma once

#include <cstddef>
#include <type_traits>

#include "zifferon/matrix/element_types.hpp"

// The row kernels exist once per instruction set; row_kernels.cpp picks one set at the first
// call. Both sets are reachable here so that they can be compared with each other.

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define ZIFFERON_AVX2_ROW_KERNELS 1
#else
#define ZIFFERON_AVX2_ROW_KERNELS 0
#endif

namespace zifferon::row_kernels {

template <class T>
struct Kernels {
    void (*subtract)(T* row, const T* pivot, const T& factor, std::size_t count);
    void (*subtractRows)(T* row, const T* pivots, std::size_t stride, const T* factors,
                         std::size_t pivotCount, std::size_t count);
    void (*addProducts)(T* sums, const T* left, std::size_t leftStride, const T* right,
                        std::size_t rows, std::size_t inner, std::size_t columns);
};

struct KernelSet {
    Kernels<float> forFloat;
    Kernels<double> forDouble;
    Kernels<Complex> forComplex;

    template <class T>
    const Kernels<T>& of() const {
        if constexpr (std::is_same_v<T, float>) {
            return forFloat;
        } else if constexpr (std::is_same_v<T, double>) {
            return forDouble;
        } else {
            return forComplex;
        }
    }
};

// The loops of row_kernels.hpp as they are, vectorised as far as the compiler's baseline
// instruction set allows.
const KernelSet& portableKernels();

// AVX2 without FMA. Null where the compiler cannot target it; callable only where
// avx2Supported().
const KernelSet* avx2Kernels();
bool avx2Supported();

}  // namespace zifferon::row_kernels
