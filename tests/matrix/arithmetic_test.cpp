#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "algebra_support.hpp"
#include "element_types.hpp"
#include "matrix_builders.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon {
namespace {

using testing::exactText;
using testing::expectMatrix;
using testing::fractionErrorOf;
using testing::matrixErrorOf;
using testing::matrixOf;
using testing::parseMatrix;

template <class T>
class MatrixArithmeticTest : public ::testing::Test {};
TYPED_TEST_SUITE(MatrixArithmeticTest, testing::ElementTypes);

TYPED_TEST(MatrixArithmeticTest, SumAndDifferenceWorkElementByElement) {
    using T = TypeParam;
    const Matrix<T> left = matrixOf<T>({{1, 2, 3}, {4, 5, 6}});
    const Matrix<T> right = matrixOf<T>({{6, -5, 4}, {3, 2, -1}});
    expectMatrix(left + right, {{7, -3, 7}, {7, 7, 5}});
    expectMatrix(left - right, {{-5, 7, -1}, {1, 3, 7}});
    // Left minus right, in that order.
    expectMatrix(matrixOf<T>({{5}}) - matrixOf<T>({{3}}), {{2}});
    expectMatrix(matrixOf<T>({{3}}) - matrixOf<T>({{5}}), {{-2}});
}

TYPED_TEST(MatrixArithmeticTest, SumAndDifferenceNeedEqualDimensions) {
    using T = TypeParam;
    const Matrix<T> twoByThree(2, 3);
    const Matrix<T> threeByTwo(3, 2);
    const Matrix<T> twoByTwo(2, 2);
    const Matrix<T> threeByThree(3, 3);
    EXPECT_EQ(matrixErrorOf([&] { twoByThree + threeByTwo; }), 202);
    EXPECT_EQ(matrixErrorOf([&] { twoByThree + twoByTwo; }), 202);
    EXPECT_EQ(matrixErrorOf([&] { threeByThree + twoByThree; }), 202);
    EXPECT_EQ(matrixErrorOf([&] { twoByThree - twoByTwo; }), 203);
    EXPECT_EQ(matrixErrorOf([&] { threeByTwo - twoByThree; }), 203);
    EXPECT_EQ(matrixErrorOf([&] { threeByThree - twoByThree; }), 203);
}

TYPED_TEST(MatrixArithmeticTest, ProductIsRowsTimesColumns) {
    using T = TypeParam;
    const Matrix<T> left = matrixOf<T>({{1, 2, 3}, {4, 5, 6}});
    const Matrix<T> right = matrixOf<T>({{1, 0, 2, -1}, {0, 1, 1, 2}, {3, -1, 0, 1}});
    expectMatrix(left * right, {{10, -1, 4, 6}, {22, -1, 13, 12}});
    expectMatrix(matrixOf<T>({{3}}) * matrixOf<T>({{-4}}), {{-12}});
    // A row times a column is a 1 x 1 matrix, a column times a row a full matrix: only two
    // column vectors make a vector product.
    expectMatrix(matrixOf<T>({{1, 2, 3}}) * matrixOf<T>({{4}, {5}, {6}}), {{32}});
    expectMatrix(matrixOf<T>({{1}, {2}}) * matrixOf<T>({{3, 4}}), {{3, 4}, {6, 8}});
}

TYPED_TEST(MatrixArithmeticTest, ProductNeedsMatchingInnerDimensions) {
    using T = TypeParam;
    const Matrix<T> twoByThree(2, 3);
    EXPECT_EQ(matrixErrorOf([&] { return twoByThree * twoByThree; }), 200);
    EXPECT_EQ(matrixErrorOf([&] { Matrix<T>(3, 1) * Matrix<T>(2, 2); }), 200);
    EXPECT_EQ(matrixErrorOf([&] { Matrix<T>(2, 2) * Matrix<T>(3, 1); }), 200);
    // Two column vectors are never checked for the matrix product: their row counts decide.
    EXPECT_EQ(matrixErrorOf([&] { Matrix<T>(3, 1) * Matrix<T>(4, 1); }), 201);
    // With two rows the first component needs row 3.
    EXPECT_EQ(matrixErrorOf([&] { Matrix<T>(2, 1) * Matrix<T>(2, 1); }), 103);
}

TYPED_TEST(MatrixArithmeticTest, TwoColumnVectorsGiveTheVectorProduct) {
    using T = TypeParam;
    const Matrix<T> e1 = matrixOf<T>({{1}, {0}, {0}});
    const Matrix<T> e2 = matrixOf<T>({{0}, {1}, {0}});
    expectMatrix(e1 * e2, {{0}, {0}, {1}});
    expectMatrix(e2 * e1, {{0}, {0}, {-1}});
    // (a2 b3 - a3 b2, a3 b1 - a1 b3, a1 b2 - a2 b1)
    const Matrix<T> a = matrixOf<T>({{1}, {2}, {3}});
    const Matrix<T> b = matrixOf<T>({{4}, {5}, {6}});
    expectMatrix(a * b, {{-3}, {6}, {-3}});
    expectMatrix(a.vectorProduct(b), {{-3}, {6}, {-3}});
    // Four rows: component k = a(k+1) b(k+2) - a(k+2) b(k+1), rows counted cyclically.
    const Matrix<T> a4 = matrixOf<T>({{1}, {2}, {3}, {4}});
    const Matrix<T> b4 = matrixOf<T>({{5}, {-1}, {2}, {7}});
    expectMatrix(a4 * b4, {{2 * 2 - 3 * -1}, {3 * 7 - 4 * 2}, {4 * 5 - 1 * 7}, {1 * -1 - 2 * 5}});
}

TYPED_TEST(MatrixArithmeticTest, VectorProductChecksItsOperands) {
    using T = TypeParam;
    const Matrix<T> column3(3, 1);
    EXPECT_EQ(matrixErrorOf([&] { column3.vectorProduct(Matrix<T>(3, 2)); }), 204);
    EXPECT_EQ(matrixErrorOf([&] { Matrix<T>(1, 3).vectorProduct(column3); }), 204);
    EXPECT_EQ(matrixErrorOf([&] { Matrix<T>(1, 1).vectorProduct(Matrix<T>(1, 1)); }), 204);
    // 204 is checked before the row counts.
    EXPECT_EQ(matrixErrorOf([&] { Matrix<T>(1, 3).vectorProduct(Matrix<T>(4, 1)); }), 204);
    EXPECT_EQ(matrixErrorOf([&] { column3.vectorProduct(Matrix<T>(4, 1)); }), 201);
    EXPECT_EQ(matrixErrorOf([&] { Matrix<T>(2, 1).vectorProduct(Matrix<T>(2, 1)); }), 103);
}

TYPED_TEST(MatrixArithmeticTest, OperandsAreNeverChanged) {
    using T = TypeParam;
    const Matrix<T> left = matrixOf<T>({{1, -2}, {3, 4}, {0, 7}});
    const Matrix<T> right = matrixOf<T>({{5, 6}, {-7, 8}, {9, 1}});
    const Matrix<T> column = matrixOf<T>({{2}, {-3}, {5}});
    const std::string leftText = exactText(left);
    const std::string rightText = exactText(right);
    const std::string columnText = exactText(column);
    expectMatrix(left + right, {{6, 4}, {-4, 12}, {9, 8}});
    expectMatrix(left - right, {{-4, -8}, {10, -4}, {-9, 6}});
    expectMatrix(left * matrixOf<T>({{1, 0}, {0, 1}}), {{1, -2}, {3, 4}, {0, 7}});
    expectMatrix(column * column, {{0}, {0}, {0}});
    EXPECT_EQ(matrixErrorOf([&] { return left * right; }), 200);
    EXPECT_EQ(exactText(left), leftText);
    EXPECT_EQ(exactText(right), rightText);
    EXPECT_EQ(exactText(column), columnText);
}

// Products of floating-point zeros: the sum starts from +0, and +0 + -0 is +0.
TYPED_TEST(MatrixArithmeticTest, ProductSumsStartFromZero) {
    using T = TypeParam;
    const MatrixArithmetic<T> product = matrixOf<T>({{-1}}) * matrixOf<T>({{0}});
    expectMatrix(product, {{0}});
    if constexpr (std::is_floating_point_v<T>) {
        EXPECT_FALSE(std::signbit(product.element(1, 1)));
    }
}

TEST(MatrixArithmeticFloat, EveryPartialSumOfTheProductIsSinglePrecision) {
    // 1 + 2^-24 is a tie that rounds to 1 in single precision, so each small term vanishes
    // on its own; summed in double first they would make 1 + 2^-23, a float of its own.
    const float tiny = std::ldexp(1.0F, -24);
    Matrix<float> row(1, 3);
    row.element(1, 1) = 1.0F;
    row.element(1, 2) = tiny;
    row.element(1, 3) = tiny;
    const Matrix<float> ones = matrixOf<float>({{1}, {1}, {1}});
    EXPECT_EQ((row * ones).element(1, 1), 1.0F);

    // Sum and difference are single precision too: 1 + 2^-24 stays 1.
    Matrix<float> small(1, 1);
    small.element(1, 1) = tiny;
    EXPECT_EQ((matrixOf<float>({{1}}) + small).element(1, 1), 1.0F);
}

TEST(MatrixArithmeticComplex, ProductUsesTheTextbookFormula) {
    Matrix<Complex> left(1, 2);
    left.element(1, 1) = Complex(1, 2);
    left.element(1, 2) = Complex(0, 1);
    Matrix<Complex> right(2, 1);
    right.element(1, 1) = Complex(3, 4);
    right.element(2, 1) = Complex(0, 1);
    // (1+2i)(3+4i) + i*i = (-5+10i) + (-1)
    EXPECT_EQ((left * right).element(1, 1), Complex(-6, 10));

    // (inf + inf i) * 1: the formula gives inf - inf*0 and inf*0 + inf, both NaN; a product that
    // recovers infinities would give inf + inf i.
    const double inf = std::numeric_limits<double>::infinity();
    Matrix<Complex> infinite(1, 1);
    infinite.element(1, 1) = Complex(inf, inf);
    const Complex product = (infinite * matrixOf<Complex>({{1}})).element(1, 1);
    EXPECT_TRUE(std::isnan(product.real()));
    EXPECT_TRUE(std::isnan(product.imag()));
}

TEST(MatrixArithmeticComplex, VectorProductUsesComplexParts) {
    Matrix<Complex> a(3, 1);
    a.element(1, 1) = Complex(0, 1);
    a.element(2, 1) = Complex(1, 0);
    a.element(3, 1) = Complex(0, 0);
    Matrix<Complex> b(3, 1);
    b.element(1, 1) = Complex(0, 0);
    b.element(2, 1) = Complex(0, 1);
    b.element(3, 1) = Complex(2, 0);
    // (a2 b3 - a3 b2, a3 b1 - a1 b3, a1 b2 - a2 b1) = (2, -2i, i*i - 0) = (2, -2i, -1)
    const MatrixArithmetic<Complex> product = a * b;
    EXPECT_EQ(product.element(1, 1), Complex(2, 0));
    EXPECT_EQ(product.element(2, 1), Complex(0, -2));
    EXPECT_EQ(product.element(3, 1), Complex(-1, 0));
}

TEST(MatrixArithmeticFractions, ResultsAreInNormalForm) {
    const Matrix<Bruch> left = parseMatrix<Bruch>(1, 3, "1/2 2/4 6/-4");
    const Matrix<Bruch> right = parseMatrix<Bruch>(1, 3, "1/3 0/5 4/-8");
    const MatrixArithmetic<Bruch> sum = left + right;
    EXPECT_EQ(exactText(sum), "5/6\t1/2\t-2\t\n");
    EXPECT_EQ(exactText(left - right), "1/6\t1/2\t-1\t\n");
    const Matrix<Bruch> column = parseMatrix<Bruch>(3, 1, "2/4 -3/9 4/2");
    // 1/2 * 1/2 + 2/4 * -1/3 + -3/2 * 2 = 1/4 - 1/6 - 3
    EXPECT_EQ(exactText(left * column), "-35/12\t\n");
    // The operands keep the form they were typed in.
    EXPECT_EQ(exactText(left), "1/2\t2/4\t6/-4\t\n");
    EXPECT_EQ(exactText(column), "2/4\t\n-3/9\t\n4/2\t\n");
}

TEST(MatrixArithmeticFractions, OverflowPassesThroughAndLeavesTheOperands) {
    const std::int64_t big = std::numeric_limits<std::int64_t>::max();
    Matrix<Bruch> left(2, 2);
    left.element(1, 1) = Bruch(big);
    left.element(2, 2) = Bruch(1, 3);
    Matrix<Bruch> right(2, 2);
    right.element(1, 1) = Bruch(1);
    right.element(2, 2) = Bruch(1, 3);
    const std::string leftText = exactText(left);
    const std::string rightText = exactText(right);

    EXPECT_EQ(fractionErrorOf([&] { left + right; }), Bruch::ueberlaufFehler);
    Matrix<Bruch> twice(2, 2);
    twice.element(1, 1) = Bruch(2);
    EXPECT_EQ(fractionErrorOf([&] { return left * twice; }), Bruch::ueberlaufFehler);
    Matrix<Bruch> negative(2, 2);
    negative.element(1, 1) = Bruch(-2);
    EXPECT_EQ(fractionErrorOf([&] { left - negative; }), Bruch::ueberlaufFehler);
    EXPECT_EQ(exactText(left), leftText);
    EXPECT_EQ(exactText(right), rightText);
}

}  // namespace
}  // namespace zifferon
