#pragma once

#include <cstddef>
#include <type_traits>

#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/element_types.hpp"

namespace zifferon {

// The row loops that the product, the determinant and the solver spend their time in once
// matrices grow. For float, double and Complex a long row goes to a compiled kernel, AVX2 code
// where the processor has it: a vector multiply followed by a vector subtract or add rounds
// every element exactly as these loops do (there is never a fused multiply-add), so results do
// not depend on the processor.

// The factor of a row loop: a copy for the plain types, so that it need not be read again
// after every store into the row; a reference for Bruch, whose copy would be normalised.
template <class T>
using RowFactor = std::conditional_t<std::is_trivially_copyable_v<T>, const T, const T&>;

// row[j] = row[j] - pivot[j] * factor for j < count, on values of an elimination's working copy.
template <class T>
void subtractScaledRowLoop(T* row, const T* pivot, const T& factor, std::size_t count) {
    RowFactor<T> f = factor;
    for (std::size_t j = 0; j < count; ++j) {
        subtractProduct(row[j], pivot[j], f);
    }
}

// subtractScaledRowLoop for the pivot rows pivots + t * stride with factors[t], t < pivotCount,
// in this order.
template <class T>
void subtractScaledRowsLoop(T* row, const T* pivots, std::size_t stride, const T* factors,
                            std::size_t pivotCount, std::size_t count) {
    for (std::size_t t = 0; t < pivotCount; ++t) {
        subtractScaledRowLoop(row, pivots + t * stride, factors[t], count);
    }
}

// sums[j] = sums[j] + factor * row[j] for j < count.
template <class T>
void addScaledRowLoop(T* sums, const T& factor, const T* row, std::size_t count) {
    RowFactor<T> f = factor;
    for (std::size_t j = 0; j < count; ++j) {
        sums[j] += ElementTraits<T>::product(f, row[j]);
    }
}

// The product's rows: sums(r, j) = sums(r, j) + left(r, k) * right(k, j) for k = 0, 1, ...,
// inner - 1 in turn, for r < rows and j < columns. sums and right have rows of `columns`
// elements, left of `leftStride`. Row by row, each from its first term to its last: every
// element sums its terms in increasing k.
template <class T>
void addProductsLoop(T* sums, const T* left, std::size_t leftStride, const T* right,
                     std::size_t rows, std::size_t inner, std::size_t columns) {
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t k = 0; k < inner; ++k) {
            addScaledRowLoop(sums + r * columns, left[r * leftStride + k], right + k * columns,
                             columns);
        }
    }
}

namespace row_kernels {

template <class T>
inline constexpr bool compiled =
    std::is_same_v<T, float> || std::is_same_v<T, double> || std::is_same_v<T, Complex>;

// Rows shorter than 256 bytes stay inline: the call, and the scalar elements before the first
// aligned one and after the last whole register, would cost more than the wider instructions
// gain. The product's kernel keeps its sums in registers over all terms, which pays from 128
// bytes of row on.
template <class T>
inline constexpr std::size_t minimumLength = 256 / sizeof(T);
template <class T>
inline constexpr std::size_t minimumProductLength = 128 / sizeof(T);

// The loops above, run by the kernel set that row_kernels.cpp picks for the processor.
template <class T>
void subtractScaled(T* row, const T* pivot, const T& factor, std::size_t count);
template <class T>
void subtractScaledRows(T* row, const T* pivots, std::size_t stride, const T* factors,
                        std::size_t pivotCount, std::size_t count);
template <class T>
void addProducts(T* sums, const T* left, std::size_t leftStride, const T* right, std::size_t rows,
                 std::size_t inner, std::size_t columns);

}  // namespace row_kernels

template <class T>
void subtractScaledRow(T* row, const T* pivot, const T& factor, std::size_t count) {
    if constexpr (row_kernels::compiled<T>) {
        if (count >= row_kernels::minimumLength<T>) {
            row_kernels::subtractScaled(row, pivot, factor, count);
            return;
        }
    }
    subtractScaledRowLoop(row, pivot, factor, count);
}

template <class T>
void subtractScaledRows(T* row, const T* pivots, std::size_t stride, const T* factors,
                        std::size_t pivotCount, std::size_t count) {
    if constexpr (row_kernels::compiled<T>) {
        if (count >= row_kernels::minimumLength<T>) {
            row_kernels::subtractScaledRows(row, pivots, stride, factors, pivotCount, count);
            return;
        }
    }
    subtractScaledRowsLoop(row, pivots, stride, factors, pivotCount, count);
}

// The kernels take the product's rows a few at a time: each row of the right operand that is
// read serves all of them.
inline constexpr std::size_t productRows = 4;

template <class T>
void addProducts(T* sums, const T* left, std::size_t leftStride, const T* right, std::size_t rows,
                 std::size_t inner, std::size_t columns) {
    if constexpr (row_kernels::compiled<T>) {
        if (columns >= row_kernels::minimumProductLength<T>) {
            row_kernels::addProducts(sums, left, leftStride, right, rows, inner, columns);
            return;
        }
    }
    addProductsLoop(sums, left, leftStride, right, rows, inner, columns);
}

}  // namespace zifferon
