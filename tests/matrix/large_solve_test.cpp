// Systems large enough for the solver to eliminate a block of pivot rows at a time, with pivots
// that become exactly zero inside a block, so that the elimination must hand those steps, with
// their row exchanges, to the step by step loop and take up the blocks again after them.
//
// A = P L U with L unit lower and U upper triangular, entries -1, 0 or 1 and U's diagonal
// +-1: every value of the elimination is a small integer, exact in every element type, so x
// comes out exactly. P exchanges rows s and s + 1 where L(s + 1, s) = 0: pivot s is then
// exactly zero, and the row below it holds the pivot that the exchange brings up.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "zifferon/matrix/matrix.hpp"

namespace zifferon {
namespace {

using Integers = std::vector<std::int64_t>;

Integers exchangedLu(std::size_t n, const std::vector<std::size_t>& zeroPivots,
                     std::mt19937_64& engine) {
    std::uniform_int_distribution<std::int64_t> unit(-1, 1);
    Integers l(n * n, 0);
    Integers u(n * n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        l[i * n + i] = 1;
        u[i * n + i] = unit(engine) < 0 ? -1 : 1;
        for (std::size_t j = 0; j < i; ++j) {
            l[i * n + j] = unit(engine);
        }
        for (std::size_t j = i + 1; j < n; ++j) {
            u[i * n + j] = unit(engine);
        }
    }
    for (const std::size_t s : zeroPivots) {
        l[(s + 1) * n + s] = 0;
    }
    Integers a(n * n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            for (std::size_t k = 0; k < n; ++k) {
                a[i * n + j] += l[i * n + k] * u[k * n + j];
            }
        }
    }
    for (const std::size_t s : zeroPivots) {
        std::swap_ranges(a.begin() + s * n, a.begin() + (s + 1) * n, a.begin() + (s + 1) * n);
    }
    return a;
}

template <class T>
class LargeSolveTest : public ::testing::Test {};
// Each large enough that its matrix does not fit the first-level cache.
using FloatingTypes = ::testing::Types<float, double, Complex>;
TYPED_TEST_SUITE(LargeSolveTest, FloatingTypes);

TYPED_TEST(LargeSolveTest, ZeroPivotsInsideBlocksAreExchangedAsStepByStep) {
    using T = TypeParam;
    const std::size_t n = sizeof(T) == 4 ? 140 : 100;
    // Inside the first block, at the first row of a block, twice close together, near the end.
    const std::vector<std::size_t> zeroPivots = {3, 8, 20, 22, 57, n - 3};
    std::mt19937_64 engine(20261207);
    const Integers a = exchangedLu(n, zeroPivots, engine);
    std::uniform_int_distribution<std::int64_t> entry(-3, 3);
    Integers expected(n);
    for (std::int64_t& value : expected) {
        value = entry(engine);
    }

    const auto size = static_cast<std::uint32_t>(n);
    Matrix<T> coefficients(size, size);
    Matrix<T> constants(size, 1);
    for (std::size_t i = 0; i < n; ++i) {
        std::int64_t sum = 0;
        for (std::size_t j = 0; j < n; ++j) {
            coefficients.element(i + 1, j + 1) = T(static_cast<float>(a[i * n + j]));
            sum += a[i * n + j] * expected[j];
        }
        constants.element(i + 1, 1) = T(static_cast<float>(sum));
    }
    Matrix<T> x(size, 1);
    ASSERT_EQ(coefficients.solve(x, constants), SolveStatus::UniqueSolution);
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_EQ(x.element(i + 1, 1), T(static_cast<float>(expected[i]))) << "x" << i + 1;
    }
}

}  // namespace
}  // namespace zifferon
