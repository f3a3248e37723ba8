// The matrix algebra on arbitrary small matrices of all four element types: zeros, negative
// zeros, NaN and infinities for the floating types, extreme and unreduced fractions.
//
// For every operation: the error, if any, is the one the operands' shapes call for (or an error
// of the fraction arithmetic), and the operands are unchanged afterwards. For fractions every
// result is also checked exactly against GMP: sums, differences and products element by
// element, the determinant, the adjugate through adj(A) A = det(A) I, the inverse through
// A inv(A) = I, and solve through A x = b and the rank of the system; solve's verdict or first
// error also against its own steps in exact arithmetic (exact_solve.hpp).
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "exact_matrix.hpp"
#include "exact_solve.hpp"
#include "fuzz_support.hpp"
#include "zifferon/matrix/element_traits.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon::fuzzing {
namespace {

template <class T>
T consumeReal(FuzzedDataProvider& input) {
    using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
    switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return static_cast<T>(input.ConsumeIntegralInRange(-9, 9));
        case 1: {
            const T special[] = {T(0),
                                 -T(0),
                                 std::numeric_limits<T>::infinity(),
                                 -std::numeric_limits<T>::infinity(),
                                 std::numeric_limits<T>::quiet_NaN(),
                                 std::numeric_limits<T>::denorm_min(),
                                 std::numeric_limits<T>::min(),
                                 std::numeric_limits<T>::max(),
                                 T(1e-30),
                                 T(0.1)};
            return special[input.ConsumeIntegralInRange<std::size_t>(0, std::size(special) - 1)];
        }
        default:
            return std::bit_cast<T>(input.ConsumeIntegral<Bits>());
    }
}

std::int64_t consumePart(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return input.ConsumeIntegralInRange<std::int64_t>(-9, 9);
        case 1: {
            constexpr std::int64_t extreme[] = {std::numeric_limits<std::int64_t>::min(),
                                                std::numeric_limits<std::int64_t>::max(),
                                                std::int64_t{1} << 62,
                                                -(std::int64_t{1} << 62),
                                                (std::int64_t{1} << 31) + 1,
                                                3037000499,
                                                1,
                                                -1};
            return extreme[input.ConsumeIntegralInRange<std::size_t>(0, std::size(extreme) - 1)];
        }
        default:
            return input.ConsumeIntegral<std::int64_t>();
    }
}

template <class T>
void consumeElement(FuzzedDataProvider& input, T& target) {
    if constexpr (std::is_same_v<T, Bruch>) {
        // Through the stream input, so that fractions stay as typed, unreduced.
        const std::int64_t zaehler = consumePart(input);
        std::int64_t nenner = consumePart(input);
        if (nenner == 0) {
            nenner = 1;
        }
        std::istringstream(std::to_string(zaehler) + "/" + std::to_string(nenner)) >> target;
    } else if constexpr (std::is_same_v<T, Complex>) {
        const double real = consumeReal<double>(input);
        target = Complex(real, consumeReal<double>(input));
    } else {
        target = consumeReal<T>(input);
    }
}

template <class T>
Matrix<T> consumeMatrix(FuzzedDataProvider& input, std::uint32_t rows, std::uint32_t columns) {
    Matrix<T> result(rows, columns);
    for (std::uint32_t i = 1; i <= rows; ++i) {
        for (std::uint32_t j = 1; j <= columns; ++j) {
            consumeElement(input, result.element(i, j));
        }
    }
    return result;
}

// The stored bits of every element, so that "unchanged" holds for NaN and typed fractions too.
template <class T>
std::string bitsOf(const MatrixVector<T>& matrix) {
    std::string bits = std::to_string(matrix.getRows()) + "x" + std::to_string(matrix.getColumns());
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            const T& value = matrix.element(i, j);
            if constexpr (std::is_same_v<T, Bruch>) {
                bits += " " + describe(value);
            } else {
                char raw[sizeof(T)];
                std::memcpy(raw, &value, sizeof(T));
                bits.append(raw, sizeof(T));
            }
        }
    }
    return bits;
}

bool isFractionError(const char* text) {
    return std::strcmp(text, Bruch::ueberlaufFehler) == 0 ||
           std::strcmp(text, Bruch::divisionDurchNullFehler) == 0 ||
           std::strcmp(text, Bruch::konstruktorFehler) == 0;
}

// The outcome of one operation: its error number, a fraction text, or neither.
struct Outcome {
    int error = 0;
    const char* text = nullptr;
    bool succeeded() const { return error == 0 && text == nullptr; }
};

template <class T, class Operation>
Outcome attempt(const char* name, Operation operation,
                std::initializer_list<const MatrixVector<T>*> operands) {
    std::vector<std::string> before;
    for (const MatrixVector<T>* operand : operands) {
        before.push_back(bitsOf(*operand));
    }
    Outcome outcome;
    try {
        operation();
    } catch (const MatrixException& error) {
        outcome.error = error.errorCode;
    } catch (const char* text) {
        if (!std::is_same_v<T, Bruch> || !isFractionError(text)) {
            fail(std::string(name) + " threw " + text);
        }
        outcome.text = text;
    }
    std::size_t k = 0;
    for (const MatrixVector<T>* operand : operands) {
        if (bitsOf(*operand) != before[k++]) {
            fail(std::string(name) + " changed an operand");
        }
    }
    return outcome;
}

void expectError(const char* name, const Outcome& outcome, int expected) {
    if (outcome.text == nullptr && outcome.error != expected) {
        fail(std::string(name) + ": error " + std::to_string(outcome.error) + " instead of " +
             std::to_string(expected));
    }
}

void expectExact(const char* name, const ExactMatrix& actual, const ExactMatrix& expected) {
    if (actual != expected) {
        fail(std::string(name) + " is not exact");
    }
}

template <class T>
void exercise(FuzzedDataProvider& input) {
    const auto size = [&input] { return input.ConsumeIntegralInRange<std::uint32_t>(1, 6); };
    const std::uint32_t rows = size();
    const std::uint32_t columns = input.ConsumeBool() ? rows : size();
    const Matrix<T> a = consumeMatrix<T>(input, rows, columns);
    const bool sameShape = input.ConsumeBool();
    const std::uint32_t rows2 = sameShape ? rows : size();
    const std::uint32_t columns2 = sameShape ? columns : input.ConsumeBool() ? 1 : size();
    const Matrix<T> b = consumeMatrix<T>(input, rows2, columns2);
    const bool exact = std::is_same_v<T, Bruch>;

    const bool equalShapes = rows == rows2 && columns == columns2;
    Matrix<T> result(1, 1);
    const auto keep = [&result](const MatrixVector<T>& value) {
        result.resize(value.getRows(), value.getColumns());
        result = value;
    };
    // For fractions, element (i, j) of a result must be exactly expected(i, j), or, when the
    // operation overflowed, some element must lie beyond the fraction type.
    const auto checkElements = [&](const char* name, const Outcome& outcome, std::size_t n,
                                   std::size_t m, auto expected) {
        if (!equalShapes) {
            return;
        }
        if constexpr (exact) {
            bool someTooLarge = false;
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t j = 0; j < m; ++j) {
                    const mpq_class value = expected(i, j);
                    someTooLarge = someTooLarge || !fits(value);
                    if (outcome.succeeded() &&
                        !isNormalFormOf(result.element(i + 1, j + 1), value)) {
                        fail(std::string(name) + " is not exact");
                    }
                }
            }
            if (outcome.text != nullptr && !someTooLarge) {
                fail(std::string(name) + " overflowed although every element fits");
            }
        }
    };

    const Outcome sum = attempt<T>("sum", [&] { keep(a + b); }, {&a, &b});
    expectError("sum", sum, equalShapes ? 0 : 202);
    if constexpr (exact) {
        checkElements("sum", sum, rows, columns, [&](std::size_t i, std::size_t j) {
            return mpq_class(exactValue(a.element(i + 1, j + 1)) +
                             exactValue(b.element(i + 1, j + 1)));
        });
    }
    const Outcome difference = attempt<T>("difference", [&] { keep(a - b); }, {&a, &b});
    expectError("difference", difference, equalShapes ? 0 : 203);
    if constexpr (exact) {
        checkElements("difference", difference, rows, columns, [&](std::size_t i, std::size_t j) {
            return mpq_class(exactValue(a.element(i + 1, j + 1)) -
                             exactValue(b.element(i + 1, j + 1)));
        });
    }

    const bool vectors = columns == 1 && rows > 1 && columns2 == 1 && rows2 > 1;
    const Outcome product = attempt<T>("product", [&] { keep(a * b); }, {&a, &b});
    if (vectors) {
        expectError("vector product", product, rows != rows2 ? 201 : rows == 2 ? 103 : 0);
        if constexpr (exact) {
            if (product.succeeded()) {
                const auto at = [rows](const MatrixVector<T>& v, std::size_t k) {
                    return exactValue(v.element(static_cast<std::uint32_t>(k % rows + 1), 1));
                };
                for (std::size_t k = 0; k < rows; ++k) {
                    const mpq_class expected =
                        at(a, k + 1) * at(b, k + 2) - at(a, k + 2) * at(b, k + 1);
                    if (!isNormalFormOf(result.element(static_cast<std::uint32_t>(k + 1), 1),
                                        expected)) {
                        fail("vector product is not exact");
                    }
                }
            }
        }
    } else {
        expectError("product", product, columns != rows2 ? 200 : 0);
        if constexpr (exact) {
            if (product.succeeded()) {
                expectExact("product", exactMatrix(result),
                            exactProduct(exactMatrix(a), exactMatrix(b)));
            }
        }
    }

    const bool square = rows == columns;
    T determinant{};
    const Outcome det = attempt<T>("determinant", [&] { determinant = a.determinant(); }, {&a});
    expectError("determinant", det, square ? 0 : 300);
    const Outcome adjugate = attempt<T>("adjugate", [&] { keep(a.adjugate()); }, {&a});
    expectError("adjugate", adjugate, !square ? 300 : rows == 1 ? 100 : 0);
    if constexpr (exact) {
        if (det.succeeded() && !isNormalFormOf(determinant, exactDeterminant(exactMatrix(a)))) {
            fail("determinant is not exact");
        }
        if (adjugate.succeeded()) {
            const ExactMatrix exactA = exactMatrix(a);
            expectExact("adjugate", exactProduct(exactMatrix(result), exactA),
                        identity(rows, exactDeterminant(exactA)));
        }
    }
    const Outcome inverse = attempt<T>("inverse", [&] { keep(a.inverse()); }, {&a});
    if (!square) {
        expectError("inverse", inverse, 300);
    } else if (det.succeeded() && ElementTraits<T>::isZero(determinant)) {
        expectError("inverse", inverse, 301);
    } else if (inverse.error == 301) {
        if (det.succeeded()) {
            fail("inverse refused a matrix whose determinant is not zero");
        }
    } else if (inverse.error == 100) {
        if (rows != 1) {
            fail("inverse: error 100 for a matrix larger than 1 x 1");
        }
    } else {
        expectError("inverse", inverse, rows == 1 ? 100 : 0);
    }
    if constexpr (exact) {
        if (inverse.succeeded()) {
            expectExact("inverse", exactProduct(exactMatrix(a), exactMatrix(result)),
                        identity(rows));
        }
    }

    // solve: b as the constants, a result vector of consumed shape.
    const std::uint32_t xRows = input.ConsumeBool() ? rows2 : size();
    const std::uint32_t xColumns = input.ConsumeBool() ? 1 : size();
    Matrix<T> x = consumeMatrix<T>(input, xRows, xColumns);
    const std::string xBefore = bitsOf(x);
    SolveStatus status = SolveStatus::NoSolution;
    const Outcome solved = attempt<T>("solve", [&] { status = a.solve(x, b); }, {&a, &b});
    const int argumentError = columns2 != 1    ? 400
                              : xColumns != 1  ? 401
                              : rows2 != xRows ? 402
                              : rows2 != rows  ? 403
                                               : 0;
    if (argumentError != 0 || square) {
        expectError("solve", solved, argumentError);
    } else if (solved.error != 0 && solved.error != 103) {
        fail("solve of a non-square system: error " + std::to_string(solved.error));
    }
    if (!(solved.succeeded() && status == SolveStatus::UniqueSolution) && bitsOf(x) != xBefore) {
        fail("solve changed x without a unique solution");
    }
    if constexpr (exact) {
        // The verdict, or the first error, exactly as the solver's steps in exact arithmetic
        // give it: which step overflows, divides by zero or leaves the matrix first.
        if (argumentError == 0) {
            const SolveOutcome expected = ExactSolve::of(a, b);
            const SolveOutcome actual{status, solved.error, solved.text};
            if (!(actual == expected)) {
                fail("solve: " + actual.describe() + " instead of " + expected.describe());
            }
        }
        if (solved.succeeded()) {
            const ExactMatrix exactA = exactMatrix(a), exactB = exactMatrix(b);
            std::size_t rank = 0;
            const bool consistent = isConsistent(exactA, exactB, rank);
            const SolveStatus expected = !consistent       ? SolveStatus::NoSolution
                                         : rank == columns ? SolveStatus::UniqueSolution
                                                           : SolveStatus::InfiniteSolutions;
            if (status != expected) {
                fail("solve: verdict " + std::to_string(static_cast<int>(status)) + " instead of " +
                     std::to_string(static_cast<int>(expected)));
            }
            if (status == SolveStatus::UniqueSolution) {
                expectExact("solve", exactProduct(exactA, exactMatrix(x)), exactB);
            }
        }
    }
}

}  // namespace
}  // namespace zifferon::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zifferon;
    FuzzedDataProvider input(data, size);
    switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            fuzzing::exercise<float>(input);
            break;
        case 1:
            fuzzing::exercise<double>(input);
            break;
        case 2:
            fuzzing::exercise<Complex>(input);
            break;
        default:
            fuzzing::exercise<Bruch>(input);
            break;
    }
    return 0;
}
