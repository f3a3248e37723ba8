#pragma once

#include <cstddef>
#include <vector>

#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/row_kernels.hpp"
#include "zifferon/matrix/row_step.hpp"

namespace zifferon {

// The solver's forward elimination, a block of pivot rows at a time. Step i subtracts a
// multiple of pivot row i from every row below it over the first n columns; taken one step at a
// time, every step streams all rows below it through the cache. Here each row below takes the
// pivots of a block one after the other while they are still in the cache. Every element
// receives the same updates, with the same factors, in the same order: a row's factor for pivot
// i is taken after the pivots before i have been subtracted from it, and a pivot row is used
// only once it is final itself.
template <class T>
class BlockedElimination {
public:
    static constexpr std::size_t blockSize = 8;

    // `system` holds `count` rows of `rowStride` >= count elements, `constants` the constants.
    BlockedElimination(T* system, T* constants, std::size_t count, std::size_t rowStride)
        : w(system), r(constants), n(count), stride(rowStride), factors(count * blockSize) {}

    // Takes the steps from `from` on, up to a pivot that is exactly zero: the step by step
    // elimination takes that one with its row exchange. Returns the first step not taken
    // (n - 1 when all are done). Never inlined, so that it adds no code to the step by step
    // elimination of the small systems that call it.
    [[gnu::noinline]] std::size_t run(std::size_t from) {
        std::size_t first = from;
        while (first + 1 < n && !ElementTraits<T>::isZero(w[first * stride + first])) {
            first += eliminateBlock(first);
        }
        return first;
    }

private:
    T* row(std::size_t k) const { return w + k * stride; }

    // Pivot `first` is non-zero. Each row that ends with a non-zero pivot joins the block, up to
    // blockSize rows; the rows below take the factors of all of them first, then the updates.
    // Returns the block's size.
    std::size_t eliminateBlock(std::size_t first) {
        std::size_t size = 1;
        std::size_t next = first + 1;
        while (next < n) {
            const std::size_t k = next++;
            takeFactors(first, size, k, factors.data());
            subtractOutsideBlock(first, size, k, factors.data());
            if (size == blockSize || k + 1 == n || ElementTraits<T>::isZero(row(k)[k])) {
                break;
            }
            ++size;
        }
        // Rows are independent of each other here: their divisions overlap.
        for (std::size_t k = next; k < n; ++k) {
            takeFactors(first, size, k, factors.data() + (k - next) * blockSize);
        }
        for (std::size_t k = next; k < n; ++k) {
            subtractOutsideBlock(first, size, k, factors.data() + (k - next) * blockSize);
        }
        return size;
    }

    // Row k's factors for the `count` pivots from `first`, each taken once the pivots before
    // it have been subtracted from the block's columns of the row; the constant goes with it.
    void takeFactors(std::size_t first, std::size_t count, std::size_t k, T* kFactors) {
        T* const rowK = row(k);
        for (std::size_t t = 0; t < count; ++t) {
            const std::size_t i = first + t;
            const T* const pivot = row(i);
            const T factor = startRowStep(rowK[i], pivot[i], r[k], r[i]);
            subtractScaledRowLoop(rowK + first, pivot + first, factor, count);
            kFactors[t] = factor;
        }
    }

    // The other columns of row k, each element by all `count` pivots in turn.
    void subtractOutsideBlock(std::size_t first, std::size_t count, std::size_t k,
                              const T* kFactors) {
        const std::size_t rest = first + count;
        subtractScaledRows(row(k), row(first), stride, kFactors, count, first);
        subtractScaledRows(row(k) + rest, row(first) + rest, stride, kFactors, count, n - rest);
    }

    T* w;
    T* r;
    std::size_t n;
    std::size_t stride;
    std::vector<T> factors;
};

// When the forward elimination takes a block of pivot rows at a time: for a working matrix of
// minimumBytes and more. Smaller matrices stay close enough to the processor anyway: measured,
// blocks pay from about this size on (double from n = 91, float from 128, Complex from 64).
struct CacheBlocking {
    static constexpr std::size_t minimumBytes = 64 * 1024;
};

// The steps of the forward elimination from `from` on that BlockedElimination takes: none for
// the exact types, whose cost is in the arithmetic rather than the cache, and none for a matrix
// below Blocking::minimumBytes. Returns the first step not taken.
template <class Blocking, class T>
std::size_t eliminateInBlocks(T* w, T* r, std::size_t n, std::size_t stride, std::size_t from) {
    if constexpr (row_kernels::compiled<T>) {
        if (stride >= n && n * stride * sizeof(T) >= Blocking::minimumBytes) {
            return BlockedElimination<T>(w, r, n, stride).run(from);
        }
    }
    return from;
}

}  // namespace zifferon
