// Which kernel set runs: chosen once, at the first call, from what the processor supports. A
// function pointer rather than the linker's indirect functions, which Windows does not have.
#include "zifferon/matrix/row_kernels.hpp"

#include "zifferon/matrix/row_kernel_sets.hpp"

namespace zifferon::row_kernels {

namespace {

template <class T>
constexpr Kernels<T> loops() {
    return {&subtractScaledRowLoop<T>, &subtractScaledRowsLoop<T>, &addProductsLoop<T>};
}

const KernelSet& activeKernels() {
    static const KernelSet& active = avx2Supported() ? *avx2Kernels() : portableKernels();
    return active;
}

}  // namespace

const KernelSet& portableKernels() {
    static constexpr KernelSet set{loops<float>(), loops<double>(), loops<Complex>()};
    return set;
}

bool avx2Supported() {
#if ZIFFERON_AVX2_ROW_KERNELS
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

template <class T>
void subtractScaled(T* row, const T* pivot, const T& factor, std::size_t count) {
    activeKernels().of<T>().subtract(row, pivot, factor, count);
}

template <class T>
void subtractScaledRows(T* row, const T* pivots, std::size_t stride, const T* factors,
                        std::size_t pivotCount, std::size_t count) {
    activeKernels().of<T>().subtractRows(row, pivots, stride, factors, pivotCount, count);
}

template <class T>
void addProducts(T* sums, const T* left, std::size_t leftStride, const T* right, std::size_t rows,
                 std::size_t inner, std::size_t columns) {
    activeKernels().of<T>().addProducts(sums, left, leftStride, right, rows, inner, columns);
}

template void subtractScaled(float*, const float*, const float&, std::size_t);
template void subtractScaled(double*, const double*, const double&, std::size_t);
template void subtractScaled(Complex*, const Complex*, const Complex&, std::size_t);

template void subtractScaledRows(float*, const float*, std::size_t, const float*, std::size_t,
                                 std::size_t);
template void subtractScaledRows(double*, const double*, std::size_t, const double*, std::size_t,
                                 std::size_t);
template void subtractScaledRows(Complex*, const Complex*, std::size_t, const Complex*, std::size_t,
                                 std::size_t);

template void addProducts(float*, const float*, std::size_t, const float*, std::size_t, std::size_t,
                          std::size_t);
template void addProducts(double*, const double*, std::size_t, const double*, std::size_t,
                          std::size_t, std::size_t);
template void addProducts(Complex*, const Complex*, std::size_t, const Complex*, std::size_t,
                          std::size_t, std::size_t);

}  // namespace zifferon::row_kernels
