#include "zifferon/matrix/matrix_vector.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>
#include <vector>

#include "algebra_support.hpp"
#include "element_types.hpp"
#include "matrix_builders.hpp"
#include "zifferon/console/system.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon {
namespace {

using testing::exactText;
using testing::expectMatrix;
using testing::matrixErrorOf;
using testing::matrixOf;
using testing::parseMatrix;

template <class T>
class MatrixStorage : public ::testing::Test {};
TYPED_TEST_SUITE(MatrixStorage, testing::ElementTypes);

TYPED_TEST(MatrixStorage, DefaultIsThreeByThreeZeros) {
    const Matrix<TypeParam> matrix;
    expectMatrix(matrix, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
}

TYPED_TEST(MatrixStorage, CountsBelowOneAreRejected) {
    EXPECT_EQ(matrixErrorOf([] { Matrix<TypeParam>(0, 5); }), 100);
    EXPECT_EQ(matrixErrorOf([] { Matrix<TypeParam>(5, 0); }), 100);
    expectMatrix(Matrix<TypeParam>(1, 1), {{0}});
    expectMatrix(MatrixVector<TypeParam>(2, 3), {{0, 0, 0}, {0, 0, 0}});
}

TYPED_TEST(MatrixStorage, ElementAccessIsBoundsTested) {
    Matrix<TypeParam> matrix(2, 3);
    const std::pair<std::uint32_t, std::uint32_t> outside[] = {{0, 1}, {3, 1}, {1, 0}, {1, 4}};
    for (const auto& [row, column] : outside) {
        EXPECT_EQ(matrixErrorOf([&] { matrix.element(row, column); }), 103);
        const Matrix<TypeParam>& constant = matrix;
        EXPECT_EQ(matrixErrorOf([&] { constant.element(row, column); }), 103);
    }
    matrix.element(2, 3) = TypeParam(9);
    expectMatrix(matrix, {{0, 0, 0}, {0, 0, 9}});
}

TYPED_TEST(MatrixStorage, AssignmentNeedsEqualSizes) {
    Matrix<TypeParam> target = matrixOf<TypeParam>({{1, 2}, {3, 4}, {5, 6}});
    const Matrix<TypeParam> wrongShape = matrixOf<TypeParam>({{7, 8, 9}, {1, 2, 3}});
    EXPECT_EQ(matrixErrorOf([&] { target = wrongShape; }), 104);
    expectMatrix(target, {{1, 2}, {3, 4}, {5, 6}});

    target = matrixOf<TypeParam>({{6, 5}, {4, 3}, {2, 1}});
    expectMatrix(target, {{6, 5}, {4, 3}, {2, 1}});
    target = target;
    expectMatrix(target, {{6, 5}, {4, 3}, {2, 1}});
}

TYPED_TEST(MatrixStorage, CopiesAreDeep) {
    Matrix<TypeParam> original = matrixOf<TypeParam>({{1, 2}, {3, 4}});
    const Matrix<TypeParam> copy(original);
    original.element(1, 1) = TypeParam(8);
    expectMatrix(copy, {{1, 2}, {3, 4}});
}

// The elements lie row by row in one block, so a resize that changes the row length must move
// every kept element to its new place.
TYPED_TEST(MatrixStorage, ResizeKeepsEachElementInPlaceAndFillsWithZero) {
    Matrix<TypeParam> matrix = matrixOf<TypeParam>({{1, 2, 3, 4}, {5, 6, 7, 8}});
    matrix.resize(3, 2);
    expectMatrix(matrix, {{1, 2}, {5, 6}, {0, 0}});
    matrix.resize(2, 5);
    expectMatrix(matrix, {{1, 2, 0, 0, 0}, {5, 6, 0, 0, 0}});
    matrix.resize(4, 1);
    expectMatrix(matrix, {{1}, {5}, {0}, {0}});
    matrix.resize(1, 1);
    expectMatrix(matrix, {{1}});
}

// A matrix moved from keeps its dimensions: construction leaves it as it was, assignment gives
// it the target's former values, and assignment between different sizes changes neither.
TYPED_TEST(MatrixStorage, MovingKeepsBothMatricesWhole) {
    Matrix<TypeParam> source = matrixOf<TypeParam>({{1, 2}, {3, 4}});
    const Matrix<TypeParam> built(std::move(source));
    expectMatrix(built, {{1, 2}, {3, 4}});
    expectMatrix(source, {{1, 2}, {3, 4}});

    Matrix<TypeParam> target = matrixOf<TypeParam>({{5, 6}, {7, 8}});
    target = std::move(source);
    expectMatrix(target, {{1, 2}, {3, 4}});
    expectMatrix(source, {{5, 6}, {7, 8}});

    Matrix<TypeParam> wide = matrixOf<TypeParam>({{1, 2, 3}});
    EXPECT_EQ(matrixErrorOf([&] { target = std::move(wide); }), 104);
    expectMatrix(target, {{1, 2}, {3, 4}});
    expectMatrix(wide, {{1, 2, 3}});
}

// std::swap exchanges matrices of equal size and refuses others with error 104, both unchanged;
// the standard algorithms rearrange containers of equal-size matrices.
TYPED_TEST(MatrixStorage, SwapAndTheStandardAlgorithmsLoseNoMatrix) {
    Matrix<TypeParam> a = matrixOf<TypeParam>({{1, 2}, {3, 4}});
    Matrix<TypeParam> b = matrixOf<TypeParam>({{5, 6}, {7, 8}});
    std::swap(a, b);
    expectMatrix(a, {{5, 6}, {7, 8}});
    expectMatrix(b, {{1, 2}, {3, 4}});

    Matrix<TypeParam> large = matrixOf<TypeParam>({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    EXPECT_EQ(matrixErrorOf([&] { std::swap(a, large); }), 104);
    expectMatrix(a, {{5, 6}, {7, 8}});
    expectMatrix(large, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});

    std::vector<Matrix<TypeParam>> row = {matrixOf<TypeParam>({{1}, {2}}),
                                          matrixOf<TypeParam>({{3}, {4}}),
                                          matrixOf<TypeParam>({{5}, {6}})};
    std::rotate(row.begin(), row.begin() + 1, row.end());
    ASSERT_EQ(row.size(), 3U);
    expectMatrix(row[0], {{3}, {4}});
    expectMatrix(row[1], {{5}, {6}});
    expectMatrix(row[2], {{1}, {2}});
    row.erase(row.begin());
    ASSERT_EQ(row.size(), 2U);
    expectMatrix(row[0], {{5}, {6}});
    expectMatrix(row[1], {{1}, {2}});
}

TYPED_TEST(MatrixStorage, RejectedResizeLeavesTheMatrix) {
    Matrix<TypeParam> matrix = matrixOf<TypeParam>({{1, 2}, {3, 4}});
    EXPECT_EQ(matrixErrorOf([&] { matrix.resize(0, 2); }), 100);
    EXPECT_EQ(matrixErrorOf([&] { matrix.resize(2, 0); }), 100);
    expectMatrix(matrix, {{1, 2}, {3, 4}});
}

TYPED_TEST(MatrixStorage, ColumnHoldsTheElementsTopToBottom) {
    const Matrix<TypeParam> matrix = matrixOf<TypeParam>({{1, 2}, {3, 4}, {5, 6}});
    const std::vector<TypeParam> first = matrix.column(1);
    ASSERT_EQ(first.size(), 3U);
    EXPECT_TRUE(first[0] == TypeParam(1));
    EXPECT_TRUE(first[1] == TypeParam(3));
    EXPECT_TRUE(first[2] == TypeParam(5));
    EXPECT_EQ(matrixErrorOf([&] { matrix.column(3); }), 106);
    EXPECT_EQ(matrixErrorOf([&] { matrix.column(0); }), 106);
}

TYPED_TEST(MatrixStorage, SwapRowsExchangesWholeRows) {
    Matrix<TypeParam> matrix = matrixOf<TypeParam>({{1, 2}, {3, 4}, {5, 6}});
    matrix.swapRows(1, 3);
    expectMatrix(matrix, {{5, 6}, {3, 4}, {1, 2}});
    matrix.swapRows(2, 2);
    expectMatrix(matrix, {{5, 6}, {3, 4}, {1, 2}});
    EXPECT_EQ(matrixErrorOf([&] { matrix.swapRows(0, 1); }), 103);
    EXPECT_EQ(matrixErrorOf([&] { matrix.swapRows(1, 4); }), 103);
    expectMatrix(matrix, {{5, 6}, {3, 4}, {1, 2}});
}

TYPED_TEST(MatrixStorage, SwapColumnsExchangesWholeColumns) {
    Matrix<TypeParam> wide = matrixOf<TypeParam>({{1, 2, 3}, {4, 5, 6}});
    wide.swapColumns(1, 3);
    expectMatrix(wide, {{3, 2, 1}, {6, 5, 4}});
    EXPECT_EQ(matrixErrorOf([&] { wide.swapColumns(0, 1); }), 103);
    EXPECT_EQ(matrixErrorOf([&] { wide.swapColumns(1, 4); }), 103);
    expectMatrix(wide, {{3, 2, 1}, {6, 5, 4}});

    Matrix<TypeParam> tall = matrixOf<TypeParam>({{1, 2}, {3, 4}, {5, 6}});
    tall.swapColumns(2, 1);
    expectMatrix(tall, {{2, 1}, {4, 3}, {6, 5}});
}

TYPED_TEST(MatrixStorage, StorageBeyondTheMachinesMemoryIsRefusedUpFront) {
    constexpr std::uint32_t most = std::numeric_limits<std::uint32_t>::max();
    EXPECT_THROW(Matrix<TypeParam>(most, most), std::bad_alloc);

    // Twice what the process can still get, with rows of 2^20 elements: far enough beyond it
    // that memory freed elsewhere meanwhile cannot let the matrix through.
    const std::uint64_t rowBytes = sizeof(TypeParam) << 20;
    const std::uint64_t available = console::availableMemoryBytes();
    if (available / rowBytes >= most / 2) {
        GTEST_SKIP() << "no memory limit known on this machine";
    }
    const auto rows = static_cast<std::uint32_t>(available / rowBytes * 2 + 1);
    EXPECT_THROW(Matrix<TypeParam>(rows, 1U << 20), std::bad_alloc);

    Matrix<TypeParam> matrix = matrixOf<TypeParam>({{1, 2}, {3, 4}});
    EXPECT_THROW(matrix.resize(rows, 1U << 20), std::bad_alloc);
    EXPECT_THROW(matrix.resize(most, most), std::bad_alloc);
    expectMatrix(matrix, {{1, 2}, {3, 4}});
}

TYPED_TEST(MatrixStorage, EveryLayerBuildsTheSameWays) {
    expectMatrix(MatrixArithmetic<TypeParam>(), {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    expectMatrix(MatrixMath<TypeParam>(1, 2), {{0, 0}});
    EXPECT_EQ(matrixErrorOf([] { MatrixArithmetic<TypeParam>(0, 1); }), 100);
    EXPECT_EQ(matrixErrorOf([] { MatrixMath<TypeParam>(1, 0); }), 100);

    MatrixArithmetic<TypeParam> layer(1, 2);
    layer.element(1, 1) = TypeParam(3);
    const MatrixArithmetic<TypeParam> layerCopy(layer);
    expectMatrix(layerCopy, {{3, 0}});

    // A layer's result goes into a Matrix through the storage's assignment.
    Matrix<TypeParam> target(1, 2);
    target = layer;
    expectMatrix(target, {{3, 0}});
    Matrix<TypeParam> wrongShape(2, 1);
    EXPECT_EQ(matrixErrorOf([&] { wrongShape = layer; }), 104);
}

// Fractions read from text stay as typed while they are only stored and moved around.
TEST(MatrixStorageFractions, ResizeExchangesAndAssignmentKeepTheTypedForm) {
    Matrix<Bruch> matrix = parseMatrix<Bruch>(2, 3, "2/4 6/-4 3/9 -5/-10 0/5 8/2");
    matrix.resize(3, 2);
    EXPECT_EQ(exactText(matrix), "2/4\t6/-4\t\n-5/-10\t0\t\n0\t0\t\n");
    matrix.swapRows(1, 2);
    matrix.swapColumns(1, 2);
    EXPECT_EQ(exactText(matrix), "0\t-5/-10\t\n6/-4\t2/4\t\n0\t0\t\n");

    Matrix<Bruch> target(3, 2);
    target = matrix;
    EXPECT_EQ(exactText(target), "0\t-5/-10\t\n6/-4\t2/4\t\n0\t0\t\n");
}

TEST(MatrixStorageFractions, RefusedResizeKeepsTheTypedForm) {
    Matrix<Bruch> matrix = parseMatrix<Bruch>(1, 2, "2/4 6/-4");
    constexpr std::uint32_t most = std::numeric_limits<std::uint32_t>::max();
    EXPECT_THROW(matrix.resize(most, most), std::bad_alloc);
    EXPECT_EQ(matrixErrorOf([&] { matrix.resize(0, 1); }), 100);
    EXPECT_EQ(exactText(matrix), "2/4\t6/-4\t\n");
}

}  // namespace
}  // namespace zifferon
