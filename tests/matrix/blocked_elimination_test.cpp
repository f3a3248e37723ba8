// The blocked forward elimination promises the step by step one's result to the last bit: every
// element receives the same updates, with the same factors, in the same order. Only values that
// are not whole numbers can show a difference in rounding (integer systems with pivots of 1 come
// out exact in any order), so both eliminations run here on random non-integer systems, square
// and wider than tall, and the threshold from which the solver blocks is set to 0 so that small
// systems take the blocked path too. A row that repeats an earlier one becomes exactly zero once
// that one has been its pivot: the zero pivots inside blocks that the blocked elimination hands
// to the step by step one. The widest rows reach the row kernels.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <type_traits>
#include <utility>
#include <vector>

#include "zifferon/matrix/element_types.hpp"
#include "zifferon/matrix/linear_system.hpp"
#include "zifferon/matrix/solver_steps.hpp"

namespace zifferon {
namespace {

struct BlockedFromTheStart {
    static constexpr std::size_t minimumBytes = 0;
};
struct StepByStep {
    static constexpr std::size_t minimumBytes = std::numeric_limits<std::size_t>::max();
};

template <class T>
T drawn(std::mt19937_64& engine) {
    std::uniform_real_distribution<double> value(-2.0, 2.0);
    if constexpr (std::is_same_v<T, Complex>) {
        const double real = value(engine);
        return Complex(real, value(engine));
    } else {
        return static_cast<T>(value(engine));
    }
}

// n x m coefficients row by row and n constants; rows 4, 12 and 13 (where the system has them)
// repeat rows 3, 11 and 11. With `zeroFirstPivot` the first pivot is zero from the start.
template <class T>
struct System {
    System(std::size_t rows, std::size_t columns, bool zeroFirstPivot, std::mt19937_64& engine)
        : n(rows), m(columns), coefficients(rows * columns), constants(rows) {
        for (T& value : coefficients) {
            value = drawn<T>(engine);
        }
        for (T& value : constants) {
            value = drawn<T>(engine);
        }
        using Rows = std::pair<std::size_t, std::size_t>;
        for (const auto& [copy, original] : {Rows{4, 3}, Rows{12, 11}, Rows{13, 11}}) {
            if (copy < n) {
                for (std::size_t j = 0; j < m; ++j) {
                    coefficients[copy * m + j] = coefficients[original * m + j];
                }
                constants[copy] = constants[original];
            }
        }
        if (zeroFirstPivot) {
            coefficients[0] = T(0);
        }
    }

    std::size_t n;
    std::size_t m;
    std::vector<T> coefficients;
    std::vector<T> constants;
};

// The working coefficients, then the working constants, after the forward elimination.
template <class Blocking, class T>
std::vector<T> eliminated(const System<T>& system) {
    const auto run = [&](auto bounds) {
        detail::WorkingSystem<T, decltype(bounds)> working(bounds, system.coefficients.data(),
                                                           system.constants.data());
        detail::eliminateForward<Blocking>(working);
        std::vector<T> result(working.w.data(), working.w.data() + system.n * system.m);
        result.insert(result.end(), working.r.data(), working.r.data() + system.n);
        return result;
    };
    if (system.n == system.m) {
        return run(detail::SquareBounds<std::size_t>(system.n));
    }
    return run(detail::NonSquareBounds(system.n, system.m));
}

template <class T>
class BlockedEliminationTest : public ::testing::Test {};
using FloatingTypes = ::testing::Types<float, double, Complex>;
TYPED_TEST_SUITE(BlockedEliminationTest, FloatingTypes);

TYPED_TEST(BlockedEliminationTest, GivesTheStepByStepResultBitForBit) {
    using T = TypeParam;
    std::mt19937_64 engine(20261208);
    const std::size_t shapes[][2] = {{2, 2}, {9, 9},  {30, 30}, {100, 100},
                                     {2, 5}, {9, 14}, {30, 47}, {60, 100}};
    for (const auto& shape : shapes) {
        for (const bool zeroFirstPivot : {false, true}) {
            const System<T> system(shape[0], shape[1], zeroFirstPivot, engine);
            const std::vector<T> blocked = eliminated<BlockedFromTheStart>(system);
            const std::vector<T> stepByStep = eliminated<StepByStep>(system);
            for (std::size_t e = 0; e < blocked.size(); ++e) {
                const bool coefficient = e < system.n * system.m;
                ASSERT_EQ(std::memcmp(&blocked[e], &stepByStep[e], sizeof(T)), 0)
                    << system.n << " x " << system.m << (zeroFirstPivot ? ", first pivot 0" : "")
                    << ": " << (coefficient ? "W" : "r") << " element "
                    << (coefficient ? e : e - system.n * system.m) << " is " << blocked[e]
                    << " blocked, " << stepByStep[e] << " step by step";
            }
        }
    }
}

}  // namespace
}  // namespace zifferon
