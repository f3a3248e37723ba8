#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>

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

// One call of solve on copies of the operands, with x filled with 99 beforehand, so that every
// test can see that the operands are only read and that x changes only for a unique solution.
template <class T>
struct Outcome {
    SolveStatus status = SolveStatus::NoSolution;
    int error = 0;  // MatrixException number, 0 for none
    Matrix<T> x;
    bool operandsUnchanged = false;
    bool xUnchanged = false;
};

template <class T>
Outcome<T> solveWithChecks(const Matrix<T>& a, const Matrix<T>& b, std::uint32_t xRows,
                           std::uint32_t xColumns = 1) {
    Outcome<T> outcome;
    outcome.x.resize(xRows, xColumns);
    for (std::uint32_t i = 1; i <= xRows; ++i) {
        for (std::uint32_t j = 1; j <= xColumns; ++j) {
            outcome.x.element(i, j) = T(99);
        }
    }
    const std::string aBefore = exactText(a);
    const std::string bBefore = exactText(b);
    const std::string xBefore = exactText(outcome.x);
    outcome.error = matrixErrorOf([&] { outcome.status = a.solve(outcome.x, b); });
    outcome.operandsUnchanged = exactText(a) == aBefore && exactText(b) == bBefore;
    outcome.xUnchanged = exactText(outcome.x) == xBefore;
    return outcome;
}

template <class T>
Outcome<T> solveWithChecks(const Matrix<T>& a, const Matrix<T>& b) {
    return solveWithChecks(a, b, b.getRows());
}

template <class T>
void expectVerdict(const Outcome<T>& outcome, SolveStatus status) {
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.status, status);
    EXPECT_TRUE(outcome.operandsUnchanged);
    EXPECT_TRUE(outcome.xUnchanged);
}

template <class T>
void expectError(const Outcome<T>& outcome, int error) {
    EXPECT_EQ(outcome.error, error);
    EXPECT_TRUE(outcome.operandsUnchanged);
    EXPECT_TRUE(outcome.xUnchanged);
}

template <class T>
void expectSolution(const Outcome<T>& outcome, std::initializer_list<int> values) {
    ASSERT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.status, SolveStatus::UniqueSolution);
    EXPECT_TRUE(outcome.operandsUnchanged);
    std::uint32_t i = 1;
    for (const int value : values) {
        EXPECT_EQ(outcome.x.element(i++, 1), T(value)) << "x" << i - 1;
    }
}

// Every operation of the algebra fails with its own error number.
TEST(AlgebraErrors, CarryTheirNumber) {
    const Matrix<double> square(2, 2);
    const Matrix<double> wide(2, 3);
    Matrix<double> x(2, 1);
    Matrix<double> twoColumns(2, 2);
    Matrix<double> x3(3, 1);
    const std::pair<int, std::function<void()>> failures[] = {
        {200, [&] { return wide * wide; }},
        {201, [&] { Matrix<double>(3, 1) * Matrix<double>(4, 1); }},
        {202, [&] { square + wide; }},
        {203, [&] { square - wide; }},
        {204, [&] { square.vectorProduct(square); }},
        {103, [&] { Matrix<double>(2, 1).vectorProduct(Matrix<double>(2, 1)); }},
        {300, [&] { wide.determinant(); }},
        {301, [&] { square.inverse(); }},
        {100, [&] { Matrix<double>(1, 1).adjugate(); }},
        {400, [&] { square.solve(x, square); }},
        {401, [&] { square.solve(twoColumns, x); }},
        {402, [&] { square.solve(x, Matrix<double>(3, 1)); }},
        {403, [&] { Matrix<double>(3, 3).solve(x, Matrix<double>(2, 1)); }},
        {103, [&] { Matrix<double>(3, 1).solve(x3, Matrix<double>(3, 1)); }},
    };
    for (const auto& [number, operation] : failures) {
        try {
            operation();
            ADD_FAILURE() << "no error " << number;
        } catch (const MatrixException& error) {
            EXPECT_EQ(error.errorCode, number);
        }
    }
}

template <class T>
class SolveTest : public ::testing::Test {};
TYPED_TEST_SUITE(SolveTest, testing::ElementTypes);

TYPED_TEST(SolveTest, OneByOneSystems) {
    using T = TypeParam;
    expectSolution(solveWithChecks(matrixOf<T>({{2}}), matrixOf<T>({{4}})), {2});
    expectVerdict(solveWithChecks(matrixOf<T>({{0}}), matrixOf<T>({{5}})), SolveStatus::NoSolution);
    expectVerdict(solveWithChecks(matrixOf<T>({{0}}), matrixOf<T>({{0}})),
                  SolveStatus::InfiniteSolutions);
}

TYPED_TEST(SolveTest, RegularSystems) {
    using T = TypeParam;
    // Pivots 2, -1, 2 and factors 2, 1, -2 keep every step exact in binary.
    // x = (1, -2, 3): 2 - 2 + 3 = 3, 4 - 2 + 9 = 11, 2 - 6 + 3 = -1
    const Matrix<T> a = matrixOf<T>({{2, 1, 1}, {4, 1, 3}, {2, 3, 1}});
    expectSolution(solveWithChecks(a, matrixOf<T>({{3}, {11}, {-1}})), {1, -2, 3});
    // Two rows already in the right order; the factor for row 2 is zero.
    expectSolution(solveWithChecks(matrixOf<T>({{1, 1}, {0, 2}}), matrixOf<T>({{3}, {4}})), {1, 2});
}

TYPED_TEST(SolveTest, ZeroPivotExchangesRows) {
    using T = TypeParam;
    expectSolution(solveWithChecks(matrixOf<T>({{0, 1}, {1, 0}}), matrixOf<T>({{3}, {4}})), {4, 3});
    // W(1,1) and W(2,1) are zero: row 3 is the first usable one, and its constant goes with it.
    // x = (1, 2, 3): 0 + 4 + 3 = 7, 0 + 2 + 9 = 11, 2 + 2 + 3 = 7
    const Matrix<T> a = matrixOf<T>({{0, 2, 1}, {0, 1, 3}, {2, 1, 1}});
    expectSolution(solveWithChecks(a, matrixOf<T>({{7}, {11}, {7}})), {1, 2, 3});
    // A zero pivot that appears only in the second column.
    // x = (1, 1, 1): 1 + 1 + 1 = 3, 2 + 2 + 3 = 7, 1 + 2 + 1 = 4
    const Matrix<T> late = matrixOf<T>({{1, 1, 1}, {2, 2, 3}, {1, 2, 1}});
    expectSolution(solveWithChecks(late, matrixOf<T>({{3}, {7}, {4}})), {1, 1, 1});
}

TYPED_TEST(SolveTest, SingularSystemsAreClassified) {
    using T = TypeParam;
    const Matrix<T> a = matrixOf<T>({{1, 2}, {2, 4}});
    expectVerdict(solveWithChecks(a, matrixOf<T>({{3}, {6}})), SolveStatus::InfiniteSolutions);
    expectVerdict(solveWithChecks(a, matrixOf<T>({{3}, {7}})), SolveStatus::NoSolution);
    // A zero column is passed over; no row becomes zero, nothing contradicts.
    expectVerdict(solveWithChecks(matrixOf<T>({{0, 1}, {0, 2}}), matrixOf<T>({{1}, {2}})),
                  SolveStatus::InfiniteSolutions);
    // A zero matrix: any non-zero constant contradicts.
    const Matrix<T> zero(3, 3);
    expectVerdict(solveWithChecks(zero, matrixOf<T>({{0}, {0}, {0}})),
                  SolveStatus::InfiniteSolutions);
    expectVerdict(solveWithChecks(zero, matrixOf<T>({{0}, {0}, {1}})), SolveStatus::NoSolution);
    // Rank 2 of 3: row 3 = row 1 + row 2 eliminates to zeros; its constant decides.
    const Matrix<T> rankTwo = matrixOf<T>({{1, 2, 3}, {4, 5, 6}, {5, 7, 9}});
    expectVerdict(solveWithChecks(rankTwo, matrixOf<T>({{1}, {2}, {3}})),
                  SolveStatus::InfiniteSolutions);
    expectVerdict(solveWithChecks(rankTwo, matrixOf<T>({{1}, {2}, {4}})), SolveStatus::NoSolution);
}

// After a passed-over column the elimination leaves the rows below uncleared against the next
// column; a contradiction hidden there is still found.
TYPED_TEST(SolveTest, ContradictionBehindAPassedOverColumnIsFound) {
    using T = TypeParam;
    // y = 1, 2y = 3.
    expectVerdict(solveWithChecks(matrixOf<T>({{0, 1}, {0, 2}}), matrixOf<T>({{1}, {3}})),
                  SolveStatus::NoSolution);
    // z = 1, 2z = 2, 3z = 4 behind two zero columns; and the same made consistent.
    const Matrix<T> lastColumn = matrixOf<T>({{0, 0, 1}, {0, 0, 2}, {0, 0, 3}});
    expectVerdict(solveWithChecks(lastColumn, matrixOf<T>({{1}, {2}, {4}})),
                  SolveStatus::NoSolution);
    expectVerdict(solveWithChecks(lastColumn, matrixOf<T>({{1}, {2}, {3}})),
                  SolveStatus::InfiniteSolutions);
    // x + y + z = 1, x + y + 2z = 2, 2x + 2y + 3z = 4: column 2 is passed over, and the third
    // equation minus the first two reads 0 = 1.
    const Matrix<T> middle = matrixOf<T>({{1, 1, 1}, {1, 1, 2}, {2, 2, 3}});
    expectVerdict(solveWithChecks(middle, matrixOf<T>({{1}, {2}, {4}})), SolveStatus::NoSolution);
    expectVerdict(solveWithChecks(middle, matrixOf<T>({{1}, {2}, {3}})),
                  SolveStatus::InfiniteSolutions);
}

TYPED_TEST(SolveTest, ArgumentsAreCheckedInOrder) {
    using T = TypeParam;
    const Matrix<T> a2(2, 2);
    // b with two columns: 400, even when x has two columns as well.
    expectError(solveWithChecks(a2, Matrix<T>(2, 2), 2, 2), 400);
    expectError(solveWithChecks(a2, Matrix<T>(3, 2), 3, 1), 400);
    // x with two columns: 401, whatever the row counts.
    expectError(solveWithChecks(a2, Matrix<T>(2, 1), 2, 2), 401);
    expectError(solveWithChecks(a2, Matrix<T>(3, 1), 4, 2), 401);
    // b and x differ in rows: 402, even when A differs from both.
    expectError(solveWithChecks(a2, Matrix<T>(3, 1), 4), 402);
    expectError(solveWithChecks(a2, Matrix<T>(2, 1), 3), 402);
    // Only then A: 403.
    expectError(solveWithChecks(a2, Matrix<T>(3, 1), 3), 403);
    expectError(solveWithChecks(Matrix<T>(3, 2), Matrix<T>(2, 1), 2), 403);
}

TYPED_TEST(SolveTest, MoreRowsThanColumns) {
    using T = TypeParam;
    // Any row update reaches column n = 3 of a 3 x 2 matrix.
    expectError(
        solveWithChecks(matrixOf<T>({{1, 2}, {3, 4}, {5, 6}}), matrixOf<T>({{1}, {2}, {3}})), 103);
    expectError(
        solveWithChecks(matrixOf<T>({{0, 2}, {0, 4}, {5, 6}}), matrixOf<T>({{1}, {2}, {3}})), 103);
    expectError(
        solveWithChecks(matrixOf<T>({{0, 5}, {0, 1}, {0, 0}}), matrixOf<T>({{1}, {2}, {3}})), 103);
    // Column 1 zero, W(2,2) and W(3,2) zero: the elimination changes nothing, and the product
    // W(1,1) * W(2,2) is zero before the loop could need W(3,3). The rows are classified.
    const Matrix<T> lucky = matrixOf<T>({{0, 5}, {0, 0}, {0, 0}});
    expectVerdict(solveWithChecks(lucky, matrixOf<T>({{1}, {0}, {0}})),
                  SolveStatus::InfiniteSolutions);
    expectVerdict(solveWithChecks(lucky, matrixOf<T>({{1}, {2}, {0}})), SolveStatus::NoSolution);
    // With one column the second pivot W(2,2) is needed by the elimination (3 rows) or by the
    // product (2 rows).
    expectError(solveWithChecks(matrixOf<T>({{0}, {0}, {0}}), matrixOf<T>({{0}, {0}, {0}})), 103);
    expectError(solveWithChecks(matrixOf<T>({{0}, {0}}), matrixOf<T>({{0}, {0}})), 103);
}

TYPED_TEST(SolveTest, MoreColumnsThanRows) {
    using T = TypeParam;
    // Diagonal product 1 * (5 - 2*4) = -3: regular, and the back substitution runs out of rows.
    expectError(solveWithChecks(matrixOf<T>({{1, 2, 3}, {4, 5, 6}}), matrixOf<T>({{1}, {2}})), 103);
    // Diagonal product zero: classified over all three columns.
    const Matrix<T> dependent = matrixOf<T>({{1, 2, 0}, {2, 4, 0}});
    expectVerdict(solveWithChecks(dependent, matrixOf<T>({{1}, {3}})), SolveStatus::NoSolution);
    expectVerdict(solveWithChecks(dependent, matrixOf<T>({{1}, {2}})),
                  SolveStatus::InfiniteSolutions);
    // The elimination stops at column n = 2, leaving the 6 in column 3; the contradiction
    // (twice the first equation reads 2 = 3) is found all the same.
    const Matrix<T> proportional = matrixOf<T>({{1, 2, 3}, {2, 4, 6}});
    expectVerdict(solveWithChecks(proportional, matrixOf<T>({{1}, {3}})), SolveStatus::NoSolution);
    expectVerdict(solveWithChecks(proportional, matrixOf<T>({{1}, {2}})),
                  SolveStatus::InfiniteSolutions);
    // x + z = 1, x = 2: z = -1 and y is free. The elimination clears row 2 only up to column
    // n = 2, where it looks like 0 = 1; the equations themselves do not contradict.
    expectVerdict(solveWithChecks(matrixOf<T>({{1, 0, 1}, {1, 0, 0}}), matrixOf<T>({{1}, {2}})),
                  SolveStatus::InfiniteSolutions);
    // One equation: the back substitution divides by W(1,2) and then needs row 0.
    expectError(solveWithChecks(matrixOf<T>({{1, 2}}), matrixOf<T>({{4}})), 103);
    expectVerdict(solveWithChecks(matrixOf<T>({{0, 2}}), matrixOf<T>({{4}})),
                  SolveStatus::InfiniteSolutions);
    expectVerdict(solveWithChecks(matrixOf<T>({{0, 0}}), matrixOf<T>({{4}})),
                  SolveStatus::NoSolution);
}

TYPED_TEST(SolveTest, ResultMayBeTheConstantsThemselves) {
    using T = TypeParam;
    const Matrix<T> a = matrixOf<T>({{0, 1}, {1, 0}});
    Matrix<T> bAndX = matrixOf<T>({{3}, {4}});
    EXPECT_EQ(a.solve(bAndX, bAndX), SolveStatus::UniqueSolution);
    expectMatrix(bAndX, {{4}, {3}});
}

template <class T>
class SolveFloatingTest : public ::testing::Test {};
using FloatingTypes = ::testing::Types<float, double, Complex>;
TYPED_TEST_SUITE(SolveFloatingTest, FloatingTypes);

TYPED_TEST(SolveFloatingTest, NoToleranceForRoundingResidues) {
    using T = TypeParam;
    // Singular in exact arithmetic (row 3 = row 1 + row 2, b3 = b1 + b2), but the elimination
    // leaves a tiny non-zero W(3,3), so the system counts as regular.
    const Matrix<T> a = matrixOf<T>({{3, 2, 9}, {5, 1, 2}, {8, 3, 11}});
    const Outcome<T> outcome = solveWithChecks(a, matrixOf<T>({{1}, {1}, {2}}));
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.status, SolveStatus::UniqueSolution);
}

TYPED_TEST(SolveFloatingTest, PivotsAreNotChosenByMagnitude) {
    using T = TypeParam;
    // Pivot 1e-20 stays: factor 1e20, W(2,2) = 1 - 1e20 and r2 = 2 - 1e20 both round to -1e20,
    // so x2 = 1 and x1 = (1 - 1) / 1e-20 = 0. Row exchange for the larger pivot would give
    // x1 = x2 = 1.
    Matrix<T> a = matrixOf<T>({{1, 1}, {1, 1}});
    a.element(1, 1) = T(1e-20F);
    const Outcome<T> outcome = solveWithChecks(a, matrixOf<T>({{1}, {2}}));
    expectSolution(outcome, {0, 1});
}

template <class T>
class SolveRealTest : public ::testing::Test {};
using RealTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(SolveRealTest, RealTypes);

TYPED_TEST(SolveRealTest, RowsAreUpdatedEvenForAZeroFactor) {
    using T = TypeParam;
    // Row 2 already has 0 below the pivot, but it is still updated: W(2,2) = 1 - inf * 0 is
    // NaN. The NaN product counts as non-zero, so the system is regular and x2 = 1 / NaN.
    Matrix<T> a = matrixOf<T>({{1, 0}, {0, 1}});
    a.element(1, 2) = std::numeric_limits<T>::infinity();
    const Outcome<T> outcome = solveWithChecks(a, matrixOf<T>({{1}, {1}}));
    ASSERT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.status, SolveStatus::UniqueSolution);
    EXPECT_TRUE(std::isnan(outcome.x.element(2, 1)));
}

TYPED_TEST(SolveRealTest, RegularityProductMultipliesBeforeItTests) {
    using T = TypeParam;
    // Column 1 is zero and passed over. p = W(1,1) = 0 is multiplied by W(2,2) = inf before it
    // is tested: NaN, which is not zero, so the system counts as regular. x2 = 1 / inf = 0, and
    // row 1 (r1 = 0, W(1,1) = 0) is passed over: x = (0, 0).
    Matrix<T> a(2, 2);
    a.element(2, 2) = std::numeric_limits<T>::infinity();
    expectSolution(solveWithChecks(a, matrixOf<T>({{0}, {1}})), {0, 0});
}

TEST(SolveDouble, ResiduesLeftOfThePivotAreUpdatedAndSeen) {
    // The premises, in plain double arithmetic.
    const double residue = 1.0 - 49.0 * (1.0 / 49.0);
    ASSERT_EQ(residue, std::ldexp(1.0, -53));
    ASSERT_EQ(152.0 - 49.0 * (152.0 / 49.0), 0.0);
    // Exactly singular (column 2 = -7 column 3) and contradictory. Pivot 49 leaves the residue
    // in W(2,1) and an exact 0 in W(3,1); pivot 7 (factor 1) then updates row 3 over every
    // column, W(3,1) = 0 - residue, and row 3 = (-2^-53, 0, 0) is not a zero row. So no row
    // shows the contradiction.
    const Matrix<double> a = matrixOf<double>({{49, 0, 0}, {1, 7, -1}, {152, 7, -1}});
    expectVerdict(solveWithChecks(a, matrixOf<double>({{-1}, {1}, {3}})),
                  SolveStatus::InfiniteSolutions);
    const Matrix<Bruch> exact = matrixOf<Bruch>({{49, 0, 0}, {1, 7, -1}, {152, 7, -1}});
    expectVerdict(solveWithChecks(exact, matrixOf<Bruch>({{-1}, {1}, {3}})),
                  SolveStatus::NoSolution);
}

TEST(SolveFloat, UnderflowOfTheDiagonalProductMakesASingularSystem) {
    // 1e-30 * 1e-30 = 1e-60 is zero in single precision, not in double.
    Matrix<float> inFloat = matrixOf<float>({{0, 0}, {0, 0}});
    inFloat.element(1, 1) = 1e-30F;
    inFloat.element(2, 2) = 1e-30F;
    expectVerdict(solveWithChecks(inFloat, matrixOf<float>({{1}, {1}})),
                  SolveStatus::InfiniteSolutions);

    Matrix<double> inDouble = matrixOf<double>({{0, 0}, {0, 0}});
    inDouble.element(1, 1) = 1e-30;
    inDouble.element(2, 2) = 1e-30;
    const Outcome<double> outcome = solveWithChecks(inDouble, matrixOf<double>({{1}, {1}}));
    ASSERT_EQ(outcome.status, SolveStatus::UniqueSolution);
    EXPECT_DOUBLE_EQ(outcome.x.element(1, 1), 1e30);
    EXPECT_DOUBLE_EQ(outcome.x.element(2, 1), 1e30);
}

TEST(SolveComplex, ImaginaryPivotIsUsed) {
    // i x1 + x2 = 1, x1 = 2: x = (2, 1 - 2i).
    Matrix<Complex> a(2, 2);
    a.element(1, 1) = Complex(0, 1);
    a.element(1, 2) = Complex(1, 0);
    a.element(2, 1) = Complex(1, 0);
    const Outcome<Complex> outcome = solveWithChecks(a, matrixOf<Complex>({{1}, {2}}));
    ASSERT_EQ(outcome.status, SolveStatus::UniqueSolution);
    EXPECT_EQ(outcome.x.element(1, 1), Complex(2, 0));
    EXPECT_EQ(outcome.x.element(2, 1), Complex(1, -2));
}

TEST(SolveFractions, SolutionIsExactAndTheOperandsStayAsTyped) {
    const Matrix<Bruch> a =
        parseMatrix<Bruch>(3, 3, "2/4 1 / -2 +3/6  -2/-4 4/1 0/5  6/3 1/1 -9/3");
    const Matrix<Bruch> b = parseMatrix<Bruch>(3, 1, "1/1 2/4 0/-7");
    const Outcome<Bruch> outcome = solveWithChecks(a, b);
    ASSERT_EQ(outcome.status, SolveStatus::UniqueSolution);
    EXPECT_TRUE(outcome.operandsUnchanged);
    // Checked by hand: 1/2 (25/21) - 1/2 (-1/42) + 1/2 (11/14) = 1, 1/2 (25/21) + 4 (-1/42) = 1/2,
    // 2 (25/21) - 1/42 - 3 (11/14) = 0.
    EXPECT_EQ(exactText(outcome.x), "25/21\t\n-1/42\t\n11/14\t\n");
    EXPECT_EQ(exactText(a), "2/4\t1/-2\t3/6\t\n-2/-4\t4\t0\t\n6/3\t1\t-9/3\t\n");
    EXPECT_EQ(exactText(b), "1\t\n2/4\t\n0\t\n");
}

TEST(SolveFractions, ExactArithmeticSeesTheSingularity) {
    // The system that floating point solves (see NoToleranceForRoundingResidues).
    const Matrix<Bruch> a = matrixOf<Bruch>({{3, 2, 9}, {5, 1, 2}, {8, 3, 11}});
    expectVerdict(solveWithChecks(a, matrixOf<Bruch>({{1}, {1}, {2}})),
                  SolveStatus::InfiniteSolutions);
    expectVerdict(solveWithChecks(a, matrixOf<Bruch>({{1}, {1}, {3}})), SolveStatus::NoSolution);
}

TEST(SolveFractions, NumeratorZeroIsAZeroPivot) {
    const Matrix<Bruch> a = parseMatrix<Bruch>(2, 2, "0/7 1/1 1/1 0/3");
    const Outcome<Bruch> outcome = solveWithChecks(a, parseMatrix<Bruch>(2, 1, "3/1 4/1"));
    expectSolution(outcome, {4, 3});
}

// The working copies keep typed fractions as typed, but must refuse what the fraction's copy
// refuses: -2^63/-1 is 2^63, beyond the type, although the solution 2^63 / 2 = 2^62 would fit.
TEST(SolveFractions, TypedEntryBeyondTheTypeIsRefusedBeforeAnyArithmetic) {
    const Matrix<Bruch> two = matrixOf<Bruch>({{2}});
    const Matrix<Bruch> tooLarge = parseMatrix<Bruch>(1, 1, "-9223372036854775808/-1");
    Matrix<Bruch> x = matrixOf<Bruch>({{7}});
    EXPECT_EQ(fractionErrorOf([&] { two.solve(x, tooLarge); }), Bruch::ueberlaufFehler);
    expectMatrix(x, {{7}});
}

TEST(SolveFractions, ErrorsOfTheFractionsPassThrough) {
    // 2 x 3, regular: the back substitution divides r2 = 1 by W(2,3) = 0 before it would run
    // out of rows. In double that quotient is infinite and the call ends with 103.
    const Matrix<Bruch> wide = matrixOf<Bruch>({{1, 0, 0}, {0, 1, 0}});
    const Matrix<Bruch> ones = matrixOf<Bruch>({{1}, {1}});
    Matrix<Bruch> x = matrixOf<Bruch>({{7}, {8}});
    EXPECT_EQ(fractionErrorOf([&] { wide.solve(x, ones); }), Bruch::divisionDurchNullFehler);
    expectMatrix(x, {{7}, {8}});
    expectError(
        solveWithChecks(matrixOf<double>({{1, 0, 0}, {0, 1, 0}}), matrixOf<double>({{1}, {1}})),
        103);

    // Factor 2^62; W(2,2) = 2^62 - 2^62 * 2^62 overflows.
    const std::int64_t big = std::int64_t{1} << 62;
    Matrix<Bruch> a = matrixOf<Bruch>({{1, 1}, {1, 1}});
    a.element(1, 2) = Bruch(big);
    a.element(2, 1) = Bruch(big);
    a.element(2, 2) = Bruch(big);
    const std::string aBefore = exactText(a);
    EXPECT_EQ(fractionErrorOf([&] { a.solve(x, ones); }), Bruch::ueberlaufFehler);
    expectMatrix(x, {{7}, {8}});
    EXPECT_EQ(exactText(a), aBefore);
}

}  // namespace
}  // namespace zifferon
