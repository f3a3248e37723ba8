#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>
#include <type_traits>

#include "algebra_support.hpp"
#include "element_types.hpp"
#include "matrix_builders.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon {
namespace {

using testing::expectMatrix;
using testing::fractionErrorOf;
using testing::matrixOf;
using testing::ratio;

template <class T>
std::string textOf(const MatrixVector<T>& matrix) {
    std::ostringstream out;
    out << matrix;
    return out.str();
}

// Text for whole numbers that the element type reads: fractions need their slash.
template <class T>
std::string typed(std::initializer_list<const char*> numbers, const char* separator = " ") {
    std::string text;
    for (const char* number : numbers) {
        text += number;
        text += std::is_same_v<T, Bruch> ? "/1" : "";
        text += separator;
    }
    return text;
}

template <class T>
class MatrixStreamTest : public ::testing::Test {};
TYPED_TEST_SUITE(MatrixStreamTest, testing::ElementTypes);

TYPED_TEST(MatrixStreamTest, InputFillsRowByRowAndOutputWritesRowsWithTabs) {
    using T = TypeParam;
    Matrix<T> matrix(2, 3);
    std::istringstream in(typed<T>({"1", "-2", "3"}, "\t") + "\n" + typed<T>({"4", "0"}) + "\n  " +
                          typed<T>({"60", "rest"}));
    in >> matrix;
    expectMatrix(matrix, {{1, -2, 3}, {4, 0, 60}});
    // The size is not read: what follows the last element stays in the stream.
    std::string rest;
    in >> rest;
    EXPECT_EQ(rest, typed<T>({"rest"}, ""));

    const std::string one = std::is_same_v<T, Complex> ? "(1,0)" : "1";
    const std::string two = std::is_same_v<T, Complex> ? "(-2,0)" : "-2";
    std::ostringstream out;
    out << matrixOf<T>({{1}, {-2}}) << "end";
    EXPECT_EQ(out.str(), one + "\t\n" + two + "\t\nend");
}

TYPED_TEST(MatrixStreamTest, InputReadsEveryElementOfAnyShape) {
    using T = TypeParam;
    Matrix<T> column(3, 1);
    std::istringstream(typed<T>({"7", "8", "9"})) >> column;
    expectMatrix(column, {{7}, {8}, {9}});
    Matrix<T> single(1, 1);
    std::istringstream(typed<T>({"-5"})) >> single;
    expectMatrix(single, {{-5}});
}

TEST(MatrixStreamFloatingPoint, OutputUsesTheStreamsFormat) {
    const Matrix<double> thirds = matrixOf<double>({{1, 2}});
    Matrix<double> divided(1, 2);
    divided.element(1, 1) = ratio<double>(1, 3);
    divided.element(1, 2) = 1234567.0;
    EXPECT_EQ(textOf(divided), "0.333333\t1.23457e+06\t\n");
    std::ostringstream precise;
    precise << std::setprecision(3) << divided;
    EXPECT_EQ(precise.str(), "0.333\t1.23e+06\t\n");
    std::ostringstream fixed;
    fixed << std::fixed << std::setprecision(2) << divided << thirds;
    EXPECT_EQ(fixed.str(), "0.33\t1234567.00\t\n1.00\t2.00\t\n");

    Matrix<float> single(1, 1);
    single.element(1, 1) = ratio<float>(2, 3);
    std::ostringstream nine;
    nine << std::setprecision(9) << single;
    EXPECT_EQ(nine.str(), "0.666666687\t\n");
}

TEST(MatrixStreamComplex, ThreeInputFormsAndFormattedOutput) {
    Matrix<Complex> matrix(1, 4);
    std::istringstream("(1.5,-2) (3) 4 ( -1 , 0.25 )") >> matrix;
    EXPECT_EQ(matrix.element(1, 1), Complex(1.5, -2));
    EXPECT_EQ(matrix.element(1, 2), Complex(3, 0));
    EXPECT_EQ(matrix.element(1, 3), Complex(4, 0));
    EXPECT_EQ(matrix.element(1, 4), Complex(-1, 0.25));
    EXPECT_EQ(textOf(matrix), "(1.5,-2)\t(3,0)\t(4,0)\t(-1,0.25)\t\n");

    Matrix<Complex> third(1, 1);
    third.element(1, 1) = Complex(1.0 / 3.0, 2);
    std::ostringstream precise;
    precise << std::setprecision(2) << third;
    EXPECT_EQ(precise.str(), "(0.33,2)\t\n");
}

TEST(MatrixStreamFractions, FractionsStayAsTyped) {
    Matrix<Bruch> matrix(2, 3);
    std::istringstream("2/4 1 / -2 +3/6\n-6/3 0/5 7/1") >> matrix;
    EXPECT_EQ(matrix.element(1, 1).getZaehler(), 2);
    EXPECT_EQ(matrix.element(1, 1).getNenner(), 4);
    EXPECT_EQ(textOf(matrix), "2/4\t1/-2\t3/6\t\n-6/3\t0\t7\t\n");
}

TEST(MatrixStreamFractions, InputErrorsPassToTheCallerAfterTheElementsBefore) {
    Matrix<Bruch> matrix = matrixOf<Bruch>({{9, 9}, {9, 9}});
    std::istringstream missingSlash("1/2 3 4/5 6/7");
    EXPECT_EQ(fractionErrorOf([&] { missingSlash >> matrix; }), Bruch::eingabeFehler);
    EXPECT_EQ(matrix.element(1, 1), Bruch(1, 2));
    EXPECT_EQ(matrix.element(2, 1), Bruch(9));
    EXPECT_EQ(matrix.element(2, 2), Bruch(9));

    std::istringstream zeroDenominator("5/1 6/1 1/0 8/1");
    EXPECT_EQ(fractionErrorOf([&] { zeroDenominator >> matrix; }), Bruch::eingabeNennerFehler);
    EXPECT_EQ(matrix.element(1, 1), Bruch(5));
    EXPECT_EQ(matrix.element(1, 2), Bruch(6));
    EXPECT_EQ(matrix.element(2, 2), Bruch(9));
}

}  // namespace
}  // namespace zifferon
