#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
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
using testing::ratio;

template <class T>
class DeterminantTest : public ::testing::Test {};
TYPED_TEST_SUITE(DeterminantTest, testing::ElementTypes);

TYPED_TEST(DeterminantTest, SmallMatrices) {
    using T = TypeParam;
    EXPECT_EQ(matrixOf<T>({{7}}).determinant(), T(7));
    EXPECT_EQ(matrixOf<T>({{0}}).determinant(), T(0));
    // ad - bc
    EXPECT_EQ(matrixOf<T>({{1, 2}, {3, 4}}).determinant(), T(-2));
    EXPECT_EQ(matrixOf<T>({{4, 8}, {-2, 5}}).determinant(), T(36));
    // 1 (5*10 - 6*8) - 2 (4*10 - 6*7) + 3 (4*8 - 5*7) = 2 + 4 - 9
    EXPECT_EQ(matrixOf<T>({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}).determinant(), T(-3));
}

TYPED_TEST(DeterminantTest, ZeroPivotIsReplacedByAColumnExchange) {
    using T = TypeParam;
    EXPECT_EQ(matrixOf<T>({{0, 1}, {1, 0}}).determinant(), T(-1));
    EXPECT_EQ(matrixOf<T>({{0, 1, 2}, {3, 4, 5}, {6, 7, 9}}).determinant(), T(-3));
    EXPECT_EQ(matrixOf<T>({{0, 2, 1}, {1, 1, 1}, {1, 0, 1}}).determinant(), T(-1));
    // The zero pivot turns up only in the second step, after the first elimination.
    // 2 (2*10 - 11*4) - 1 (4*10 - 11*2) + 4 (4*4 - 2*2) = -48 - 18 + 48
    EXPECT_EQ(matrixOf<T>({{2, 1, 4}, {4, 2, 11}, {2, 4, 10}}).determinant(), T(-18));
}

TYPED_TEST(DeterminantTest, TriangularMatricesGiveTheirDiagonalProduct) {
    using T = TypeParam;
    EXPECT_EQ(matrixOf<T>({{2, 0}, {5, 3}}).determinant(), T(6));
    EXPECT_EQ(matrixOf<T>({{2, 7, 1}, {0, 3, 4}, {0, 0, -1}}).determinant(), T(-6));
    EXPECT_EQ(matrixOf<T>({{0, 7, 1}, {0, 3, 4}, {0, 0, -1}}).determinant(), T(0));
}

TYPED_TEST(DeterminantTest, ZeroRowGivesZero) {
    using T = TypeParam;
    const Matrix<T> zeroRow = matrixOf<T>({{1, 2, 3}, {0, 0, 0}, {4, 5, 6}});
    EXPECT_EQ(zeroRow.determinant(), T(0));
    EXPECT_EQ(matrixErrorOf([&] { zeroRow.inverse(); }), 301);
    // Singular without a zero row: the third row is the sum of the others.
    const Matrix<T> dependent = matrixOf<T>({{1, 2, 3}, {4, 5, 6}, {5, 7, 9}});
    EXPECT_EQ(dependent.determinant(), T(0));
    EXPECT_EQ(matrixErrorOf([&] { dependent.inverse(); }), 301);
}

TYPED_TEST(DeterminantTest, NonSquareMatricesAreRefused) {
    using T = TypeParam;
    for (const Matrix<T>& matrix : {Matrix<T>(2, 3), Matrix<T>(3, 2), Matrix<T>(1, 4)}) {
        EXPECT_EQ(matrixErrorOf([&] { matrix.determinant(); }), 300);
        EXPECT_EQ(matrixErrorOf([&] { matrix.adjugate(); }), 300);
        EXPECT_EQ(matrixErrorOf([&] { matrix.inverse(); }), 300);
    }
}

TYPED_TEST(DeterminantTest, OneByOneHasNoAdjugate) {
    using T = TypeParam;
    EXPECT_EQ(matrixErrorOf([] { matrixOf<T>({{5}}).adjugate(); }), 100);
    EXPECT_EQ(matrixErrorOf([] { matrixOf<T>({{0}}).adjugate(); }), 100);
    // The inverse tests the determinant before it builds the adjugate.
    EXPECT_EQ(matrixErrorOf([] { matrixOf<T>({{5}}).inverse(); }), 100);
    EXPECT_EQ(matrixErrorOf([] { matrixOf<T>({{0}}).inverse(); }), 301);
}

TYPED_TEST(DeterminantTest, AdjugateIsTheTransposedCofactorMatrix) {
    using T = TypeParam;
    expectMatrix(matrixOf<T>({{1, 2}, {3, 4}}).adjugate(), {{4, -2}, {-3, 1}});
    expectMatrix(matrixOf<T>({{3, 8}, {-2, 5}}).adjugate(), {{5, -8}, {2, 3}});
    // Cofactors of a non-symmetric 3 x 3 matrix, worked out minor by minor, then transposed.
    expectMatrix(matrixOf<T>({{1, 2, 0}, {0, 1, 3}, {4, 0, 1}}).adjugate(),
                 {{1, -2, 6}, {12, 1, -3}, {-4, 8, 1}});
}

TYPED_TEST(DeterminantTest, InverseIsTheScaledAdjugate) {
    using T = TypeParam;
    const MatrixMath<T> inverse = matrixOf<T>({{1, 2}, {3, 4}}).inverse();
    EXPECT_EQ(inverse.element(1, 1), T(-2));
    EXPECT_EQ(inverse.element(1, 2), T(1));
    EXPECT_EQ(inverse.element(2, 1), ratio<T>(3, 2));
    EXPECT_EQ(inverse.element(2, 2), ratio<T>(-1, 2));
    // Determinant 25; the adjugate of the previous test divided by it.
    const MatrixMath<T> third = matrixOf<T>({{1, 2, 0}, {0, 1, 3}, {4, 0, 1}}).inverse();
    const int adjugate[3][3] = {{1, -2, 6}, {12, 1, -3}, {-4, 8, 1}};
    for (std::uint32_t i = 1; i <= 3; ++i) {
        for (std::uint32_t j = 1; j <= 3; ++j) {
            if constexpr (std::is_same_v<T, Bruch>) {
                EXPECT_EQ(third.element(i, j), Bruch(adjugate[i - 1][j - 1], 25));
            } else {
                // 1/25 is not exact in binary; the product (1/25) * a is what is computed.
                EXPECT_EQ(third.element(i, j), (T(1) / T(25)) * T(adjugate[i - 1][j - 1]));
            }
        }
    }
}

TYPED_TEST(DeterminantTest, TheMatrixIsOnlyRead) {
    using T = TypeParam;
    const Matrix<T> matrix = matrixOf<T>({{0, 2, 1}, {1, 1, 1}, {1, 0, 1}});
    const std::string before = exactText(matrix);
    matrix.determinant();
    matrix.adjugate();
    matrix.inverse();
    EXPECT_EQ(exactText(matrix), before);
    const Matrix<T> singular = matrixOf<T>({{1, 2}, {2, 4}});
    const std::string singularBefore = exactText(singular);
    EXPECT_EQ(matrixErrorOf([&] { singular.inverse(); }), 301);
    EXPECT_EQ(exactText(singular), singularBefore);
}

template <class T>
class DeterminantFloatingTest : public ::testing::Test {};
using FloatingTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(DeterminantFloatingTest, FloatingTypes);

TYPED_TEST(DeterminantFloatingTest, NegatedZeroCofactorsAreNegativeZeros) {
    using T = TypeParam;
    const MatrixMath<T> adjugate = matrixOf<T>({{1, 0}, {0, 1}}).adjugate();
    EXPECT_FALSE(std::signbit(adjugate.element(1, 1)));
    EXPECT_TRUE(std::signbit(adjugate.element(1, 2)));
    EXPECT_TRUE(std::signbit(adjugate.element(2, 1)));
    EXPECT_EQ(exactText(adjugate), "1\t-0\t\n-0\t1\t\n");

    std::ostringstream text;
    text << matrixOf<T>({{2, 0}, {0, 4}}).inverse();
    EXPECT_EQ(text.str(), "0.5\t-0\t\n-0\t0.25\t\n");
}

TYPED_TEST(DeterminantFloatingTest, ZeroDeterminantCanBeNegativeZero) {
    using T = TypeParam;
    // The product runs 1, -1, -1 * 0 = -0, 18 * -0 = -0.
    const Matrix<T> matrix = matrixOf<T>({{-1, 2, 3}, {0, 0, 0}, {4, 5, 6}});
    const T determinant = matrix.determinant();
    EXPECT_EQ(determinant, T(0));
    EXPECT_TRUE(std::signbit(determinant));
    EXPECT_EQ(matrixErrorOf([&] { matrix.inverse(); }), 301);
}

TYPED_TEST(DeterminantFloatingTest, NoToleranceForRoundingResidues) {
    using T = TypeParam;
    // Singular in exact arithmetic (row 3 = row 1 + row 2), but 5/3 and 8/3 are not exact in
    // binary and the elimination leaves a tiny residue on the diagonal.
    const Matrix<T> matrix = matrixOf<T>({{3, 2, 9}, {5, 1, 2}, {8, 3, 11}});
    const T determinant = matrix.determinant();
    EXPECT_NE(determinant, T(0));
    EXPECT_LT(std::abs(determinant), T(1e-3));
    const MatrixMath<T> inverse = matrix.inverse();
    EXPECT_GT(std::abs(inverse.element(1, 1)), T(1e4));
}

// In double, 49 * (1/49) is 1 - 2^-53, so eliminating row 2 leaves 2^-53 in its column 1. Its
// pivot W(2,2) is exactly zero, and the column search, which starts at column 1, takes that
// residue as the new pivot. The third row then eliminates to zeros, and the determinant comes
// out as -0 where exact arithmetic gives -49. In float, 49 * (1/49) rounds to 1 exactly: no
// residue, the search finds column 3 and the determinant is -49.
TEST(DeterminantFloatingPoint, ResidueLeftOfThePivotCountsAsNonZero) {
    const Matrix<double> inDouble = matrixOf<double>({{49, 0, 0}, {1, 0, 1}, {0, 1, 0}});
    EXPECT_EQ(inDouble.determinant(), 0.0);
    const Matrix<float> inFloat = matrixOf<float>({{49, 0, 0}, {1, 0, 1}, {0, 1, 0}});
    EXPECT_EQ(inFloat.determinant(), -49.0F);
    EXPECT_EQ(matrixOf<Bruch>({{49, 0, 0}, {1, 0, 1}, {0, 1, 0}}).determinant(), Bruch(-49));
}

// Exactly singular. In double the elimination ends with row 3 = (0, 4.4e-16, 0): a residue
// left of an exactly zero W(3,3). The last pivot gets no column search, so the determinant is
// 7 * (10/7) * 0 = 0; promoting the residue would give about -1.2e-14.
TEST(DeterminantFloatingPoint, LastPivotIsNeverExchanged) {
    EXPECT_EQ(matrixOf<double>({{7, 1, -3}, {-3, 1, 5}, {10, 5, 5}}).determinant(), 0.0);
}

TYPED_TEST(DeterminantFloatingTest, TriangularMatricesAreNotEliminated) {
    using T = TypeParam;
    // Elimination would compute 2 - 0 * inf = NaN; the diagonal product is 1 * 2.
    Matrix<T> lower = matrixOf<T>({{1, 0}, {0, 2}});
    lower.element(2, 1) = std::numeric_limits<T>::infinity();
    EXPECT_EQ(lower.determinant(), T(2));
    Matrix<T> upper = matrixOf<T>({{1, 0}, {0, 2}});
    upper.element(1, 2) = std::numeric_limits<T>::infinity();
    EXPECT_EQ(upper.determinant(), T(2));
}

TEST(DeterminantComplex, PurelyImaginaryDeterminantIsNonZero) {
    Matrix<Complex> matrix = matrixOf<Complex>({{1, 1}, {1, 1}});
    matrix.element(2, 2) = Complex(1, 1);
    EXPECT_EQ(matrix.determinant(), Complex(0, 1));
    // (1/i) ((1+i, -1), (-1, 1)) = ((1-i, i), (i, -i))
    const MatrixMath<Complex> inverse = matrix.inverse();
    EXPECT_EQ(inverse.element(1, 1), Complex(1, -1));
    EXPECT_EQ(inverse.element(1, 2), Complex(0, 1));
    EXPECT_EQ(inverse.element(2, 1), Complex(0, 1));
    EXPECT_EQ(inverse.element(2, 2), Complex(0, -1));
}

TEST(DeterminantComplex, ProductsUseTheTextbookFormula) {
    // d = (inf + inf i) * 1 = (inf - inf * 0) + (inf * 0 + inf) i: both parts NaN. A product
    // that recovers infinities would give inf + inf i.
    const double inf = std::numeric_limits<double>::infinity();
    Matrix<Complex> matrix(1, 1);
    matrix.element(1, 1) = Complex(inf, inf);
    const Complex determinant = matrix.determinant();
    EXPECT_TRUE(std::isnan(determinant.real()));
    EXPECT_TRUE(std::isnan(determinant.imag()));
}

TEST(DeterminantComplex, OnlyZeroPlusZeroIIsAZeroPivot) {
    // Row 1 has no other non-zero entry, so a pivot taken for zero would end the elimination
    // with a zero determinant. The determinant is p (1*2 - 1*1) = p.
    Matrix<Complex> matrix = matrixOf<Complex>({{0, 0, 0}, {1, 1, 1}, {0, 1, 2}});
    matrix.element(1, 1) = Complex(0, 1);
    EXPECT_EQ(matrix.determinant(), Complex(0, 1));
    matrix.element(1, 1) = Complex(1e-300, 0);
    EXPECT_EQ(matrix.determinant(), Complex(1e-300, 0));
    matrix.element(1, 1) = Complex(0, 0);
    EXPECT_EQ(matrix.determinant(), Complex(0, 0));
}

TEST(DeterminantFractions, ResultsAreExact) {
    const Matrix<Bruch> matrix = parseMatrix<Bruch>(2, 2, "1/1 2/1 3/1 4/1");
    const MatrixMath<Bruch> inverse = matrix.inverse();
    EXPECT_EQ(exactText(inverse), "-2\t1\t\n3/2\t-1/2\t\n");

    // 1/2 * 1/3 - 1/4 * 2/5 = 1/6 - 1/10 = 1/15
    const Matrix<Bruch> fractions = parseMatrix<Bruch>(2, 2, "1/2 1/4 2/5 1/3");
    EXPECT_EQ(exactText(fractions.adjugate()), "1/3\t-1/4\t\n-2/5\t1/2\t\n");
    EXPECT_EQ(fractions.determinant(), Bruch(1, 15));
    EXPECT_EQ(exactText(fractions.inverse()), "5\t-15/4\t\n-6\t15/2\t\n");
}

TEST(DeterminantFractions, TypedFormSurvivesAndNumeratorZeroIsZero) {
    // 0/7 is a zero pivot: a column exchange follows, determinant -(2/4 * 3/6).
    const Matrix<Bruch> matrix = parseMatrix<Bruch>(2, 2, "0/7 2/4 3/6 -4/-8");
    EXPECT_EQ(matrix.determinant(), Bruch(-1, 4));
    matrix.adjugate();
    matrix.inverse();
    EXPECT_EQ(exactText(matrix), "0\t2/4\t\n3/6\t-4/-8\t\n");
    EXPECT_EQ(matrix.element(1, 1).getNenner(), 7);
}

TEST(DeterminantFractions, OverflowPassesThroughAndLeavesTheMatrix) {
    const std::int64_t big = std::int64_t{1} << 62;
    // Triangular: the diagonal product 4 * 2^62 leaves the 64-bit range.
    Matrix<Bruch> triangular = matrixOf<Bruch>({{1, 0}, {0, 4}});
    triangular.element(1, 1) = Bruch(big);
    EXPECT_EQ(fractionErrorOf([&] { triangular.determinant(); }), Bruch::ueberlaufFehler);
    EXPECT_EQ(fractionErrorOf([&] { triangular.inverse(); }), Bruch::ueberlaufFehler);

    // Elimination: the factor is 2^62 / 1, and W(2,2) - 2^62 * 2^62 leaves the range.
    Matrix<Bruch> full = matrixOf<Bruch>({{1, 1}, {1, 1}});
    full.element(2, 1) = Bruch(big);
    full.element(2, 2) = Bruch(-big);
    full.element(1, 2) = Bruch(big);
    const std::string before = exactText(full);
    EXPECT_EQ(fractionErrorOf([&] { full.determinant(); }), Bruch::ueberlaufFehler);
    EXPECT_EQ(fractionErrorOf([&] { full.inverse(); }), Bruch::ueberlaufFehler);
    EXPECT_EQ(exactText(full), before);
}

}  // namespace
}  // namespace zifferon
