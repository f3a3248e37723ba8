#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "zifferon/matrix/blocked_elimination.hpp"
#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/linear_system.hpp"
#include "zifferon/matrix/solve_status.hpp"

// The steps of MatrixMath<T>::solve on its WorkingSystem, in their order: forward elimination,
// regularity test, then either the classification of a singular system or the back
// substitution.
namespace zifferon::detail {

// Pivot row i clears column i below it; an exactly zero pivot is first exchanged with the next
// row that has a non-zero entry there. Row k is updated even when its entry below the pivot is
// already zero, and over all columns up to n, those left of the pivot included: their entries
// are never forced to zero, so floating-point residues stay visible to the classification.
// Exact arithmetic leaves no residues: there the pivot's column becomes exactly zero, and the
// columns left of it hold the zeros of the earlier pivots, which their updates (0 - 0 * f)
// leave zero. Neither update can fail: W(i,i) * f is W(k,i), whose normal form fits (a result of
// arithmetic, or a typed entry the working copy accepted), and the rest is 0. So for the exact
// types only the columns right of the pivot are computed and the pivot's column is set to zero,
// with the same values and the same errors.
// Large systems take their steps a block of pivots at a time where Blocking says so (see
// eliminateInBlocks), with the same result to the last bit.
template <class Blocking = CacheBlocking, class T, class Bounds>
void eliminateForward(WorkingSystem<T, Bounds>& system) {
    const auto& bounds = system.bounds;
    const auto n = system.rows();
    const auto width = bounds.updateWidth();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        i = eliminateInBlocks<Blocking>(system.w.data(), system.r.data(), n, system.columns(), i);
        if (i + 1 >= n) {
            break;
        }
        bounds.requirePivotColumn(i);
        for (std::size_t k = i + 1; k < n; ++k) {
            if (ElementTraits<T>::isZero(system.row(i)[i])) {
                const std::size_t s = system.firstNonZeroRow(i, k);
                if (s == n) {
                    break;  // no later row k finds one either: column i is passed over
                }
                system.exchangeRows(i, s);
            }
            if constexpr (ElementTraits<T>::exact) {
                system.subtractPivotRow(k, i, i, i + 1, width - (i + 1));
                storeResult(system.row(k)[i], T());
            } else {
                system.subtractPivotRow(k, i, i, 0, width);
            }
            bounds.requireUpdateInside();
        }
    }
}

// The diagonal product, each factor multiplied in before the product is tested for zero. Its
// value is needed for nothing else, so the exact types may leave it unreduced.
template <class T, class Bounds>
bool isRegular(const WorkingSystem<T, Bounds>& system) {
    using Traits = ElementTraits<T>;
    T p = Traits::workingCopy(system.w[0]);
    for (std::size_t i = 1; i < system.rows(); ++i) {
        system.bounds.requirePivotColumn(i);
        storeResult(p, Traits::unreducedProduct(p, system.row(i)[i]));
        if (Traits::isZero(p)) {
            break;
        }
    }
    return !Traits::isZero(p);
}

// Some row i reads 0 = r[i] with r[i] non-zero.
template <class T, class Bounds>
bool hasContradictoryRow(const WorkingSystem<T, Bounds>& system) {
    using Traits = ElementTraits<T>;
    for (std::size_t i = 0; i < system.rows(); ++i) {
        const T* const row = system.row(i);
        if (!Traits::isZero(system.r[i]) &&
            std::all_of(row, row + system.columns(), Traits::isZero)) {
            return true;
        }
    }
    return false;
}

// Row echelon form of the system: each column's first non-zero entry at or below the next
// pivot row becomes that row's pivot and clears the rows below it.
template <class T, class Bounds>
void toRowEchelonForm(WorkingSystem<T, Bounds>& system) {
    const auto n = system.rows();
    const auto m = system.columns();
    std::size_t pivot = 0;
    for (std::size_t c = 0; c < m && pivot < n; ++c) {
        const std::size_t s = system.firstNonZeroRow(c, pivot);
        if (s == n) {
            continue;
        }
        if (s != pivot) {
            system.exchangeRows(pivot, s);
        }
        for (std::size_t k = pivot + 1; k < n; ++k) {
            if (!ElementTraits<T>::isZero(system.row(k)[c])) {
                system.subtractPivotRow(k, pivot, c, c, m - c);
            }
        }
        ++pivot;
    }
}

// A singular system (the diagonal product is zero) of the given coefficients and constants,
// eliminated forward: NoSolution when some equation contradicts, otherwise InfiniteSolutions.
template <class T, class Bounds>
SolveStatus classifySingular(WorkingSystem<T, Bounds>& system, const T* coefficients,
                             const T* constants) {
    // Up to n columns, every row of W is a combination of the equations; a cleared row with a
    // non-zero constant is a contradiction.
    if (system.columns() <= system.rows() && hasContradictoryRow(system)) {
        return SolveStatus::NoSolution;
    }
    // But the elimination pairs pivot row i with column i: after a passed-over column the rows
    // below are never cleared against the later columns, and a contradiction can stay hidden in
    // them (y = 1, 2y = 3). Only the row echelon form over all columns shows every one. With
    // more columns than rows the elimination left the columns beyond n as they were, so the
    // echelon form starts again from the equations themselves.
    if (system.columns() > system.rows()) {
        system.renew(coefficients, constants);
    }
    toRowEchelonForm(system);
    return hasContradictoryRow(system) ? SolveStatus::NoSolution : SolveStatus::InfiniteSolutions;
}

// Column by column from the bottom: row i's pivot column is q = i + shift, and the loop runs
// while q >= 0. Where both the constant and the pivot are zero the row is passed over.
template <class T, class Bounds>
void substituteBack(WorkingSystem<T, Bounds>& system) {
    using Traits = ElementTraits<T>;
    auto& r = system.r;
    const std::int64_t shift = system.bounds.shift();
    for (auto i = static_cast<std::int64_t>(system.rows()) - 1; i + shift >= 0; --i) {
        system.bounds.requirePivotRow(i);
        const auto q = static_cast<std::size_t>(i + shift);
        T& ri = r[static_cast<std::size_t>(i)];
        const T& pivot = system.row(static_cast<std::size_t>(i))[q];
        if (Traits::isZero(ri) && Traits::isZero(pivot)) {
            continue;
        }
        storeResult(ri, ri / pivot);
        for (std::int64_t k = i - 1; k >= 0; --k) {
            const auto above = static_cast<std::size_t>(k);
            subtractProduct(r[above], system.row(above)[q], ri);
        }
    }
}

}  // namespace zifferon::detail
