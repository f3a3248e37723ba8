// solve and determinant work on private copies of their operands: for a matrix of up to 16 rows
// and columns on the stack, without any allocation (solve writes its result into x's existing
// storage), for larger ones on the heap. This program counts every allocation through the
// global operator new (allocation_counter.cpp).

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "allocation_counter.hpp"
#include "element_types.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon {
namespace {

template <class Operation>
std::size_t allocationsDuring(Operation operation) {
    const std::size_t before = testing::allocationCount();
    operation();
    return testing::allocationCount() - before;
}

// n x n with 1 beside the diagonal and d on it. d = 2 is regular; d = 0 needs row or column
// exchanges for its zero pivots and is singular for odd n.
template <class T>
Matrix<T> tridiagonal(std::uint32_t n, int d) {
    Matrix<T> a(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            a.element(i, j) = T(i == j ? d : (i == j + 1 || j == i + 1) ? 1 : 0);
        }
    }
    return a;
}

template <class T>
Matrix<T> onesColumn(std::uint32_t n) {
    Matrix<T> b(n, 1);
    for (std::uint32_t i = 1; i <= n; ++i) {
        b.element(i, 1) = T(1);
    }
    return b;
}

template <class T>
class AllocationTest : public ::testing::Test {};

TYPED_TEST_SUITE(AllocationTest, testing::ElementTypes);

TYPED_TEST(AllocationTest, SolveUpToOrder16AllocatesNothing) {
    for (std::uint32_t n = 1; n <= 16; ++n) {
        for (const int d : {2, 0}) {
            const Matrix<TypeParam> a = tridiagonal<TypeParam>(n, d);
            const Matrix<TypeParam> b = onesColumn<TypeParam>(n);
            Matrix<TypeParam> x(n, 1);
            EXPECT_EQ(allocationsDuring([&] { a.solve(x, b); }), 0U)
                << n << " x " << n << ", d " << d;
        }
    }
}

// More columns than rows and a zero diagonal: the classification starts again from fresh copies.
TYPED_TEST(AllocationTest, SolveOfWideSingularSystemAllocatesNothing) {
    Matrix<TypeParam> a(15, 16);
    for (std::uint32_t i = 1; i <= 15; ++i) {
        a.element(i, i + 1) = TypeParam(1);
    }
    const Matrix<TypeParam> b = onesColumn<TypeParam>(15);
    Matrix<TypeParam> x(15, 1);
    SolveStatus status = SolveStatus::UniqueSolution;
    EXPECT_EQ(allocationsDuring([&] { status = a.solve(x, b); }), 0U);
    EXPECT_EQ(status, SolveStatus::InfiniteSolutions);
}

TYPED_TEST(AllocationTest, DeterminantUpToOrder16AllocatesNothing) {
    for (std::uint32_t n = 1; n <= 16; ++n) {
        for (const int d : {2, 0}) {
            const Matrix<TypeParam> a = tridiagonal<TypeParam>(n, d);
            EXPECT_EQ(allocationsDuring([&] { a.determinant(); }), 0U)
                << n << " x " << n << ", d " << d;
        }
    }
}

// Above 16 the copies lie on the heap; exact fractions show that they hold the operands.
TEST(HeapWorkingCopyTest, SolvesAndTakesDeterminantsBeyondOrder16) {
    const std::uint32_t n = 20;
    const Matrix<Bruch> a = tridiagonal<Bruch>(n, 2);
    Matrix<Bruch> b(n, 1);
    Matrix<Bruch> x(n, 1);
    for (std::uint32_t i = 1; i <= n; ++i) {
        b.element(i, 1) = Bruch(i == 1 || i == n ? 3 : 4);  // a times (1, ..., 1)
    }
    ASSERT_EQ(a.solve(x, b), SolveStatus::UniqueSolution);
    for (std::uint32_t i = 1; i <= n; ++i) {
        EXPECT_TRUE(x.element(i, 1) == Bruch(1)) << i << ": " << x.element(i, 1);
    }
    // det of the tridiagonal (1, 2, 1) of order n is n + 1.
    EXPECT_TRUE(a.determinant() == Bruch(n + 1)) << a.determinant();
}

// 17 x 18, singular: y1 + y18 = 1 and y1 = 2, the other rows empty. The elimination clears
// row 2 only over the first 17 columns, so the classification must start again from fresh
// copies to see that the system is consistent. A third equation y1 = 3 contradicts.
TEST(HeapWorkingCopyTest, WideSingularSystemIsClassifiedFromFreshCopies) {
    Matrix<Bruch> a(17, 18);
    Matrix<Bruch> b(17, 1);
    a.element(1, 1) = Bruch(1);
    a.element(1, 18) = Bruch(1);
    b.element(1, 1) = Bruch(1);
    a.element(2, 1) = Bruch(1);
    b.element(2, 1) = Bruch(2);
    Matrix<Bruch> x(17, 1);
    EXPECT_EQ(a.solve(x, b), SolveStatus::InfiniteSolutions);
    a.element(3, 1) = Bruch(1);
    b.element(3, 1) = Bruch(3);
    EXPECT_EQ(a.solve(x, b), SolveStatus::NoSolution);
}

}  // namespace
}  // namespace zifferon
