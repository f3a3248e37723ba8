#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "algebra_support.hpp"
#include "element_types.hpp"
#include "matrix_builders.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon {
namespace {

using testing::matrixOf;
using testing::parseMatrix;

// The six answers in one string, so that a case reads as one line: Z zero, I identity,
// S scalar, D diagonal, U upper triangular, L lower triangular; '-' for no.
template <class T>
std::string structureOf(const MatrixVector<T>& m) {
    std::string answers;
    answers += m.isZeroMatrix() ? 'Z' : '-';
    answers += m.isIdentityMatrix() ? 'I' : '-';
    answers += m.isScalarMatrix() ? 'S' : '-';
    answers += m.isDiagonalMatrix() ? 'D' : '-';
    answers += m.isUpperTriangular() ? 'U' : '-';
    answers += m.isLowerTriangular() ? 'L' : '-';
    return answers;
}

template <class T>
class StructureTest : public ::testing::Test {};
TYPED_TEST_SUITE(StructureTest, testing::ElementTypes);

TYPED_TEST(StructureTest, SquareMatrices) {
    using T = TypeParam;
    EXPECT_EQ(structureOf(Matrix<T>(3, 3)), "Z-SDUL");
    EXPECT_EQ(structureOf(matrixOf<T>({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}})), "-ISDUL");
    EXPECT_EQ(structureOf(matrixOf<T>({{5, 0, 0}, {0, 5, 0}, {0, 0, 5}})), "--SDUL");
    EXPECT_EQ(structureOf(matrixOf<T>({{1, 0, 0}, {0, 2, 0}, {0, 0, 3}})), "---DUL");
    // A scalar matrix compares with element (1, 1), whatever it is.
    EXPECT_EQ(structureOf(matrixOf<T>({{2, 0}, {0, 1}})), "---DUL");
    EXPECT_EQ(structureOf(matrixOf<T>({{1, 0}, {0, 2}})), "---DUL");
    EXPECT_EQ(structureOf(matrixOf<T>({{1, 2}, {0, 3}})), "----U-");
    EXPECT_EQ(structureOf(matrixOf<T>({{1, 0}, {4, 3}})), "-----L");
    EXPECT_EQ(structureOf(matrixOf<T>({{0, 0}, {4, 0}})), "-----L");
    EXPECT_EQ(structureOf(matrixOf<T>({{1, 2}, {3, 4}})), "------");
    // The diagonal is not looked at by the diagonal and triangle tests.
    EXPECT_EQ(structureOf(matrixOf<T>({{0, 0, 0}, {0, 7, 0}, {0, 0, 0}})), "---DUL");
    // An identity with one stray element far from the first row.
    EXPECT_EQ(structureOf(matrixOf<T>({{1, 0, 0}, {0, 1, 0}, {0, 9, 1}})), "-----L");
}

TYPED_TEST(StructureTest, OneByOne) {
    using T = TypeParam;
    EXPECT_EQ(structureOf(matrixOf<T>({{0}})), "Z-SDUL");
    EXPECT_EQ(structureOf(matrixOf<T>({{1}})), "-ISDUL");
    EXPECT_EQ(structureOf(matrixOf<T>({{-4}})), "--SDUL");
}

TYPED_TEST(StructureTest, NonSquareMatricesHaveNoStructure) {
    using T = TypeParam;
    EXPECT_EQ(structureOf(Matrix<T>(2, 3)), "------");
    EXPECT_EQ(structureOf(Matrix<T>(3, 1)), "------");
    EXPECT_EQ(structureOf(matrixOf<T>({{1, 0, 0}, {0, 1, 0}})), "------");
}

TEST(StructureFloatingPoint, NegativeZeroIsZeroAndNaNEqualsNothing) {
    Matrix<double> identity = matrixOf<double>({{1, 0}, {0, 1}});
    identity.element(2, 1) = -0.0;
    EXPECT_EQ(structureOf(identity), "-ISDUL");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    Matrix<float> aboveDiagonal = matrixOf<float>({{1, 0}, {0, 1}});
    aboveDiagonal.element(1, 2) = nan;
    EXPECT_EQ(structureOf(aboveDiagonal), "----U-");
    Matrix<float> onDiagonal = matrixOf<float>({{0, 0}, {0, 0}});
    onDiagonal.element(1, 1) = nan;
    // Not zero, not one, and not even equal to itself for the scalar test.
    EXPECT_EQ(structureOf(onDiagonal), "---DUL");
}

TEST(StructureComplex, BothPartsCount) {
    Matrix<Complex> matrix = matrixOf<Complex>({{1, 0}, {0, 1}});
    EXPECT_EQ(structureOf(matrix), "-ISDUL");
    matrix.element(1, 2) = Complex(0, 1);
    EXPECT_EQ(structureOf(matrix), "----U-");
    matrix.element(1, 2) = Complex(0, 0);
    matrix.element(2, 2) = Complex(1, 1e-300);
    EXPECT_EQ(structureOf(matrix), "---DUL");
}

TEST(StructureFractions, ValuesCountNotTheirForm) {
    // 2/2 is one, 0/5 is zero, 3/6 equals 1/2.
    EXPECT_EQ(structureOf(parseMatrix<Bruch>(2, 2, "2/2 0/5 0/-3 -4/-4")), "-ISDUL");
    EXPECT_EQ(structureOf(parseMatrix<Bruch>(2, 2, "1/2 0/1 0/1 3/6")), "--SDUL");
    EXPECT_EQ(structureOf(parseMatrix<Bruch>(2, 2, "0/9 0/2 0/1 0/-1")), "Z-SDUL");
}

}  // namespace
}  // namespace zifferon
