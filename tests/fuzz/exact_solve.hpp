#pragma once

// The equation solver's steps on GMP rationals, each operation checked as the fraction type
// checks it: a result whose normal form does not fit in 64 bits is the overflow error, a
// division by zero the division error, a step outside the matrix error 103. The reference for
// the outcome of Matrix<Bruch>::solve on shapes that pass its argument checks: the verdict, or
// the first error, exactly. The solver may take cheaper ways to the same values (fewer
// reductions, columns whose results it knows), but never to other errors.

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "exact.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon::fuzzing {

// The verdict, or the error: a MatrixException's number, or a fraction error's text.
struct SolveOutcome {
    SolveStatus status = SolveStatus::NoSolution;
    int error = 0;
    const char* text = nullptr;

    bool operator==(const SolveOutcome& other) const {
        if (error != other.error || (text == nullptr) != (other.text == nullptr)) {
            return false;
        }
        if (text != nullptr) {
            return std::strcmp(text, other.text) == 0;
        }
        return error != 0 || status == other.status;
    }
    std::string describe() const {
        return text != nullptr ? text
               : error != 0    ? "error " + std::to_string(error)
                               : "verdict " + std::to_string(static_cast<int>(status));
    }
};

class ExactSolve {
public:
    // a has n rows and m columns, b n rows and one column.
    static SolveOutcome of(const MatrixVector<Bruch>& a, const MatrixVector<Bruch>& b) {
        ExactSolve solver(a.getRows(), a.getColumns());
        SolveOutcome outcome;
        try {
            outcome.status = solver.solve(a, b);
        } catch (int error) {
            outcome.error = error;
        } catch (const char* text) {
            outcome.text = text;
        }
        return outcome;
    }

private:
    ExactSolve(std::size_t rows, std::size_t columns) : n(rows), m(columns) {}

    static mpq_class checked(mpq_class value) {
        if (!fits(value)) {
            throw Bruch::ueberlaufFehler;
        }
        return value;
    }
    static mpq_class quotient(const mpq_class& x, const mpq_class& y) {
        if (y == 0) {
            throw Bruch::divisionDurchNullFehler;
        }
        return checked(x / y);
    }
    // target - a * b, product and difference each checked.
    static mpq_class minusProduct(const mpq_class& target, const mpq_class& a, const mpq_class& b) {
        return checked(target - checked(a * b));
    }
    static void outside() { throw 103; }

    mpq_class& at(std::size_t i, std::size_t j) { return w[i * m + j]; }

    // The working copies: a copy of a fraction whose normal form does not fit is refused.
    void copy(const MatrixVector<Bruch>& a, const MatrixVector<Bruch>& b) {
        w.clear();
        r.clear();
        for (std::uint32_t i = 1; i <= n; ++i) {
            for (std::uint32_t j = 1; j <= m; ++j) {
                w.push_back(checked(exactValue(a.element(i, j))));
            }
        }
        for (std::uint32_t i = 1; i <= n; ++i) {
            r.push_back(checked(exactValue(b.element(i, 1))));
        }
    }

    void exchange(std::size_t i, std::size_t s) {
        for (std::size_t q = 0; q < m; ++q) {
            std::swap(at(i, q), at(s, q));
        }
        std::swap(r[i], r[s]);
    }

    std::size_t firstNonZero(std::size_t column, std::size_t from) {
        std::size_t s = from;
        while (s < n && at(s, column) == 0) {
            ++s;
        }
        return s;
    }

    // Row k minus factor times row p, the factor clearing column c, over the columns from
    // `from` to `to` (exclusive), all of them computed.
    void rowStep(std::size_t k, std::size_t p, std::size_t c, std::size_t from, std::size_t to) {
        const mpq_class factor = quotient(at(k, c), at(p, c));
        r[k] = minusProduct(r[k], factor, r[p]);
        for (std::size_t q = from; q < to; ++q) {
            at(k, q) = minusProduct(at(k, q), at(p, q), factor);
        }
    }

    bool contradicts() {
        for (std::size_t i = 0; i < n; ++i) {
            bool cleared = true;
            for (std::size_t q = 0; q < m; ++q) {
                cleared = cleared && at(i, q) == 0;
            }
            if (cleared && r[i] != 0) {
                return true;
            }
        }
        return false;
    }

    SolveStatus solve(const MatrixVector<Bruch>& a, const MatrixVector<Bruch>& b) {
        copy(a, b);
        const std::size_t width = std::min(n, m);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            if (i >= m) {
                outside();
            }
            for (std::size_t k = i + 1; k < n; ++k) {
                if (at(i, i) == 0) {
                    const std::size_t s = firstNonZero(i, k);
                    if (s == n) {
                        break;
                    }
                    exchange(i, s);
                }
                rowStep(k, i, i, 0, width);
                if (m < n) {
                    outside();
                }
            }
        }
        mpq_class p = at(0, 0);
        for (std::size_t i = 1; i < n; ++i) {
            if (i >= m) {
                outside();
            }
            p = checked(p * at(i, i));
            if (p == 0) {
                break;
            }
        }
        if (p == 0) {
            return classify(a, b);
        }
        const auto shift = static_cast<std::int64_t>(m) - static_cast<std::int64_t>(n);
        for (auto i = static_cast<std::int64_t>(n) - 1; i + shift >= 0; --i) {
            if (i < 0) {
                outside();
            }
            const auto row = static_cast<std::size_t>(i);
            const auto q = static_cast<std::size_t>(i + shift);
            if (r[row] == 0 && at(row, q) == 0) {
                continue;
            }
            r[row] = quotient(r[row], at(row, q));
            for (std::size_t k = row; k-- > 0;) {
                r[k] = minusProduct(r[k], at(k, q), r[row]);
            }
        }
        return SolveStatus::UniqueSolution;
    }

    // A singular system: a contradiction among the eliminated rows (up to n columns), else the
    // row echelon form over all columns, from the equations themselves when wider than tall.
    SolveStatus classify(const MatrixVector<Bruch>& a, const MatrixVector<Bruch>& b) {
        if (m <= n && contradicts()) {
            return SolveStatus::NoSolution;
        }
        if (m > n) {
            copy(a, b);
        }
        std::size_t pivot = 0;
        for (std::size_t c = 0; c < m && pivot < n; ++c) {
            const std::size_t s = firstNonZero(c, pivot);
            if (s == n) {
                continue;
            }
            if (s != pivot) {
                exchange(pivot, s);
            }
            for (std::size_t k = pivot + 1; k < n; ++k) {
                if (at(k, c) != 0) {
                    rowStep(k, pivot, c, c, m);
                }
            }
            ++pivot;
        }
        return contradicts() ? SolveStatus::NoSolution : SolveStatus::InfiniteSolutions;
    }

    std::size_t n;
    std::size_t m;
    std::vector<mpq_class> w;
    std::vector<mpq_class> r;
};

}  // namespace zifferon::fuzzing
