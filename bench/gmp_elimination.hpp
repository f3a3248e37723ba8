#pragma once

// The solver and the determinant of bare_algorithms.hpp on GMP's rationals through its C API:
// the same steps in the same order, but every operation writes into storage that lives as long
// as the arrays, so that after the first run GMP reuses its limbs instead of allocating, the
// way a C user of GMP would write the elimination. (Through mpq_class every update allocates
// its value temporaries.)

#include <gmp.h>

#include <cstddef>
#include <vector>

#include "bare_algorithms.hpp"

namespace zifferon::bench {

// n fractions, each initialised to 0 and released with the array.
class MpqArray {
public:
    explicit MpqArray(std::size_t size) : values(size) {
        for (__mpq_struct& value : values) {
            mpq_init(&value);
        }
    }
    MpqArray(const MpqArray&) = delete;
    MpqArray& operator=(const MpqArray&) = delete;
    ~MpqArray() {
        for (__mpq_struct& value : values) {
            mpq_clear(&value);
        }
    }

    mpq_ptr operator[](std::size_t i) { return &values[i]; }
    mpq_srcptr operator[](std::size_t i) const { return &values[i]; }
    std::size_t size() const { return values.size(); }

    void assign(const MpqArray& source) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            mpq_set(&values[i], &source.values[i]);
        }
    }

private:
    std::vector<__mpq_struct> values;
};

// The square system a x = b of size n with its working storage.
class GmpElimination {
public:
    explicit GmpElimination(std::size_t n)
        : a(n * n), b(n), x(n), n(n), w(n * n), r(n), factor(1), term(1) {}

    MpqArray a;
    MpqArray b;
    MpqArray x;

    // bareSolve: x is written only for a regular system.
    BareStatus solve() {
        w.assign(a);
        r.assign(b);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            for (std::size_t k = i + 1; k < n; ++k) {
                if (isZero(w[i * n + i])) {
                    std::size_t s = k;
                    while (s < n && isZero(w[s * n + i])) {
                        ++s;
                    }
                    if (s == n) {
                        break;
                    }
                    for (std::size_t q = 0; q < n; ++q) {
                        mpq_swap(w[i * n + q], w[s * n + q]);
                    }
                    mpq_swap(r[i], r[s]);
                }
                mpq_div(factor[0], w[k * n + i], w[i * n + i]);
                mpq_mul(term[0], factor[0], r[i]);
                mpq_sub(r[k], r[k], term[0]);
                for (std::size_t q = i + 1; q < n; ++q) {
                    mpq_mul(term[0], w[i * n + q], factor[0]);
                    mpq_sub(w[k * n + q], w[k * n + q], term[0]);
                }
                mpq_set_ui(w[k * n + i], 0, 1);
            }
        }

        mpq_ptr p = factor[0];
        mpq_set(p, w[0]);
        for (std::size_t i = 1; i < n; ++i) {
            mpq_mul(p, p, w[i * n + i]);
            if (isZero(p)) {
                break;
            }
        }
        if (isZero(p)) {
            return BareStatus::Singular;
        }

        for (std::size_t step = n; step-- > 0;) {
            mpq_srcptr pivot = w[step * n + step];
            if (isZero(r[step]) && isZero(pivot)) {
                continue;
            }
            mpq_div(r[step], r[step], pivot);
            for (std::size_t k = step; k-- > 0;) {
                mpq_mul(term[0], w[k * n + step], r[step]);
                mpq_sub(r[k], r[k], term[0]);
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            mpq_swap(x[i], r[i]);
        }
        return BareStatus::Unique;
    }

    // bareDeterminant, into `result`.
    void determinant(mpq_ptr result) {
        if (isTriangular(a)) {
            diagonalProduct(a, result);
            return;
        }
        w.assign(a);
        triangulate();
        diagonalProduct(w, result);
    }

private:
    static bool isZero(mpq_srcptr value) { return mpq_sgn(value) == 0; }

    bool isTriangular(const MpqArray& m) const {
        const auto clearBeyondDiagonal = [&](bool above) {
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t j = 0; j < n; ++j) {
                    if ((above ? j > i : j < i) && !isZero(m[i * n + j])) {
                        return false;
                    }
                }
            }
            return true;
        };
        return clearBeyondDiagonal(true) || clearBeyondDiagonal(false);
    }

    void diagonalProduct(const MpqArray& m, mpq_ptr d) const {
        mpq_set_ui(d, 1, 1);
        for (std::size_t i = 0; i < n; ++i) {
            mpq_mul(d, m[i * n + i], d);
        }
    }

    // bareTriangulate on w.
    void triangulate() {
        for (std::size_t i = 0; i < n; ++i) {
            if (i + 1 < n && isZero(w[i * n + i])) {
                for (std::size_t k = 0; k < n; ++k) {
                    if (k != i && !isZero(w[i * n + k])) {
                        for (std::size_t row = 0; row < n; ++row) {
                            mpq_swap(w[row * n + i], w[row * n + k]);
                        }
                        for (std::size_t j = 0; j < n; ++j) {
                            mpq_neg(w[i * n + j], w[i * n + j]);
                        }
                        break;
                    }
                }
            }
            if (isZero(w[i * n + i])) {
                return;
            }
            for (std::size_t row = i + 1; row < n; ++row) {
                mpq_div(factor[0], w[row * n + i], w[i * n + i]);
                for (std::size_t j = i; j < n; ++j) {
                    mpq_mul(term[0], w[i * n + j], factor[0]);
                    mpq_sub(w[row * n + j], w[row * n + j], term[0]);
                }
            }
        }
    }

    std::size_t n;
    MpqArray w;
    MpqArray r;
    MpqArray factor;
    MpqArray term;
};

}  // namespace zifferon::bench
