// The storage keeps all elements row by row in one block. These cases pin down what that layout
// must not change: which element survives a resize that changes the row length, that kept and
// exchanged fractions keep the form they were typed in, and that a failed resize leaves both the
// values and the typed forms.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <new>
#include <utility>

#include "algebra_support.hpp"
#include "element_types.hpp"
#include "matrix_builders.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon {
namespace {

using testing::exactText;
using testing::expectMatrix;
using testing::matrixOf;
using testing::parseMatrix;

template <class T>
class StorageLayout : public ::testing::Test {};
TYPED_TEST_SUITE(StorageLayout, testing::ElementTypes);

TYPED_TEST(StorageLayout, ResizeToOtherRowLengthsKeepsEachElementInPlace) {
    Matrix<TypeParam> matrix = matrixOf<TypeParam>({{1, 2, 3, 4}, {5, 6, 7, 8}});
    matrix.resize(3, 2);
    expectMatrix(matrix, {{1, 2}, {5, 6}, {0, 0}});
    matrix.resize(2, 5);
    expectMatrix(matrix, {{1, 2, 0, 0, 0}, {5, 6, 0, 0, 0}});
    matrix.resize(4, 1);
    expectMatrix(matrix, {{1}, {5}, {0}, {0}});
    const std::vector<TypeParam> first = matrix.column(1);
    ASSERT_EQ(first.size(), 4U);
    EXPECT_TRUE(first[1] == TypeParam(5));
}

TYPED_TEST(StorageLayout, RowAndColumnExchangesOnWideAndTallMatrices) {
    Matrix<TypeParam> wide = matrixOf<TypeParam>({{1, 2, 3}, {4, 5, 6}});
    wide.swapRows(1, 2);
    expectMatrix(wide, {{4, 5, 6}, {1, 2, 3}});
    wide.swapColumns(1, 3);
    expectMatrix(wide, {{6, 5, 4}, {3, 2, 1}});
    wide.swapRows(1, 1);
    expectMatrix(wide, {{6, 5, 4}, {3, 2, 1}});

    Matrix<TypeParam> tall = matrixOf<TypeParam>({{1, 2}, {3, 4}, {5, 6}});
    tall.swapColumns(2, 1);
    expectMatrix(tall, {{2, 1}, {4, 3}, {6, 5}});
}

TYPED_TEST(StorageLayout, MovedFromIsEmptyAndTakesAResize) {
    Matrix<TypeParam> source = matrixOf<TypeParam>({{1, 2}, {3, 4}});
    const Matrix<TypeParam> target(std::move(source));
    expectMatrix(target, {{1, 2}, {3, 4}});
    EXPECT_EQ(source.getRows(), 0U);
    EXPECT_EQ(source.getColumns(), 0U);
    source.resize(1, 2);
    expectMatrix(source, {{0, 0}});
}

TEST(StorageLayoutFractions, ResizeAndExchangesKeepTheTypedForm) {
    Matrix<Bruch> matrix = parseMatrix<Bruch>(2, 3, "2/4 6/-4 3/9 -5/-10 0/5 8/2");
    matrix.resize(3, 2);
    EXPECT_EQ(exactText(matrix), "2/4\t6/-4\t\n-5/-10\t0\t\n0\t0\t\n");
    matrix.swapRows(1, 2);
    matrix.swapColumns(1, 2);
    EXPECT_EQ(exactText(matrix), "0\t-5/-10\t\n6/-4\t2/4\t\n0\t0\t\n");
}

TEST(StorageLayoutFractions, AssignmentKeepsTheTypedForm) {
    const Matrix<Bruch> typed = parseMatrix<Bruch>(1, 2, "2/4 6/-4");
    Matrix<Bruch> target(1, 2);
    target = typed;
    EXPECT_EQ(exactText(target), "2/4\t6/-4\t\n");
}

TEST(StorageLayoutFractions, RefusedResizeKeepsTheTypedForm) {
    Matrix<Bruch> matrix = parseMatrix<Bruch>(1, 2, "2/4 6/-4");
    constexpr std::uint32_t most = std::numeric_limits<std::uint32_t>::max();
    EXPECT_THROW(matrix.resize(most, most), std::bad_alloc);
    EXPECT_EQ(testing::matrixErrorOf([&] { matrix.resize(0, 1); }), 100);
    EXPECT_EQ(exactText(matrix), "2/4\t6/-4\t\n");
}

}  // namespace
}  // namespace zifferon
