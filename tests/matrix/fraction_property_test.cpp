// Properties of exact arithmetic over random integer matrices. The matrices are built from
// factors whose determinant and rank are known, and every check multiplies with the test's own
// product below, not with the library's.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "algebra_support.hpp"
#include "matrix_builders.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon {
namespace {

using testing::exactText;
using testing::matrixErrorOf;

using Rows = std::vector<std::vector<Bruch>>;

Rows zeros(std::size_t rows, std::size_t columns) {
    return Rows(rows, std::vector<Bruch>(columns));
}

Rows identity(std::size_t n) {
    Rows result = zeros(n, n);
    for (std::size_t i = 0; i < n; ++i) {
        result[i][i] = Bruch(1);
    }
    return result;
}

Rows product(const Rows& a, const Rows& b) {
    Rows result = zeros(a.size(), b.front().size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.front().size(); ++j) {
            for (std::size_t k = 0; k < b.size(); ++k) {
                result[i][j] += a[i][k] * b[k][j];
            }
        }
    }
    return result;
}

Rows rowsOf(const MatrixVector<Bruch>& matrix) {
    Rows result = zeros(matrix.getRows(), matrix.getColumns());
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            result[i - 1][j - 1] = matrix.element(i, j);
        }
    }
    return result;
}

Matrix<Bruch> matrixFrom(const Rows& rows) {
    Matrix<Bruch> result(static_cast<std::uint32_t>(rows.size()),
                         static_cast<std::uint32_t>(rows.front().size()));
    for (std::uint32_t i = 1; i <= result.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= result.getColumns(); ++j) {
            result.element(i, j) = rows[i - 1][j - 1];
        }
    }
    return result;
}

std::string textOf(const Rows& rows) {
    return exactText(matrixFrom(rows));
}

// A fixed seed: the same matrices on every run.
class Dice {
public:
    int roll(int low, int high) {
        return low + static_cast<int>(engine() % static_cast<unsigned>(high - low + 1));
    }
    Rows matrix(std::size_t rows, std::size_t columns, int low, int high) {
        Rows result = zeros(rows, columns);
        for (auto& row : result) {
            for (Bruch& entry : row) {
                entry = Bruch(roll(low, high));
            }
        }
        return result;
    }
    // A random order of 0..n-1 and the sign of that permutation.
    std::pair<std::vector<std::size_t>, int> permutation(std::size_t n) {
        std::vector<std::size_t> order(n);
        for (std::size_t i = 0; i < n; ++i) {
            order[i] = i;
        }
        int sign = 1;
        for (std::size_t i = n; i > 1; --i) {
            const auto j = static_cast<std::size_t>(roll(0, static_cast<int>(i) - 1));
            if (j != i - 1) {
                std::swap(order[i - 1], order[j]);
                sign = -sign;
            }
        }
        return {order, sign};
    }

private:
    std::mt19937 engine{20240611};
};

// Row i of the result is row order[i] of m.
Rows permuteRows(const Rows& m, const std::vector<std::size_t>& order) {
    Rows result;
    for (const std::size_t source : order) {
        result.push_back(m[source]);
    }
    return result;
}

// Unit lower triangular, small integers below the diagonal.
Rows unitLower(Dice& dice, std::size_t n) {
    Rows l = identity(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            l[i][j] = Bruch(dice.roll(-3, 3));
        }
    }
    return l;
}

struct Regular {
    Rows a;
    Bruch determinant;
};

// A = P L U: determinant sign(P) times the diagonal of U. Zeros in L and the permutation give
// zero pivots often enough to exercise the row and column exchanges.
Regular randomRegular(Dice& dice, std::size_t n) {
    const int pivots[] = {-3, -2, -1, 1, 2, 3};
    Rows u = zeros(n, n);
    Bruch determinant(1);
    for (std::size_t i = 0; i < n; ++i) {
        u[i][i] = Bruch(pivots[dice.roll(0, 5)]);
        determinant = determinant * u[i][i];
        for (std::size_t j = i + 1; j < n; ++j) {
            u[i][j] = Bruch(dice.roll(-3, 3));
        }
    }
    const auto [order, sign] = dice.permutation(n);
    return {permuteRows(product(unitLower(dice, n), u), order), determinant * Bruch(sign)};
}

TEST(FractionProperties, RegularMatricesHaveExactInversesAndSolutions) {
    Dice dice;
    for (std::size_t n = 1; n <= 6; ++n) {
        for (int trial = 0; trial < 60; ++trial) {
            const Regular regular = randomRegular(dice, n);
            const Matrix<Bruch> a = matrixFrom(regular.a);
            SCOPED_TRACE(exactText(a));
            EXPECT_EQ(a.determinant(), regular.determinant);

            if (n == 1) {
                EXPECT_EQ(matrixErrorOf([&] { a.inverse(); }), 100);
            } else {
                Rows scaledIdentity = identity(n);
                for (std::size_t i = 0; i < n; ++i) {
                    scaledIdentity[i][i] = regular.determinant;
                }
                EXPECT_EQ(textOf(product(rowsOf(a.adjugate()), regular.a)), textOf(scaledIdentity));
                const Rows inverse = rowsOf(a.inverse());
                EXPECT_EQ(textOf(product(inverse, regular.a)), textOf(identity(n)));
                EXPECT_EQ(textOf(product(regular.a, inverse)), textOf(identity(n)));
            }

            const Rows b = dice.matrix(n, 1, -9, 9);
            Matrix<Bruch> x(static_cast<std::uint32_t>(n), 1);
            ASSERT_EQ(a.solve(x, matrixFrom(b)), SolveStatus::UniqueSolution);
            EXPECT_EQ(textOf(product(regular.a, rowsOf(x))), textOf(b));
        }
    }
}

// A = E B C Q with E = L P invertible, B = [I; R] (n x r), C = [I | S] (r x n) and a column
// permutation Q: rank r, with the independent columns anywhere, so that zero and dependent
// columns come before independent ones too. b lies in the column space of A exactly when it
// lies in that of E B; E times unit vector r + 1 does not.
TEST(FractionProperties, SingularSystemsAreClassifiedByTheColumnSpace) {
    Dice dice;
    for (std::size_t n = 1; n <= 6; ++n) {
        for (std::size_t rank = 0; rank < n; ++rank) {
            for (int trial = 0; trial < 15; ++trial) {
                const std::vector<std::size_t> order = dice.permutation(n).first;
                const Rows e = product(unitLower(dice, n), permuteRows(identity(n), order));
                Rows b = zeros(n, rank);
                Rows c = zeros(rank, n);
                for (std::size_t i = 0; i < n; ++i) {
                    for (std::size_t j = 0; j < rank; ++j) {
                        b[i][j] = i == j ? Bruch(1) : i < rank ? Bruch() : Bruch(dice.roll(-2, 2));
                        c[j][i] = i == j ? Bruch(1) : i < rank ? Bruch() : Bruch(dice.roll(-2, 2));
                    }
                }
                Rows rows = zeros(n, n);
                if (rank > 0) {
                    const Rows columnOrder = permuteRows(identity(n), dice.permutation(n).first);
                    rows = product(e, product(b, product(c, columnOrder)));
                }
                const Matrix<Bruch> a = matrixFrom(rows);
                SCOPED_TRACE(exactText(a));
                EXPECT_EQ(a.determinant(), Bruch());
                EXPECT_EQ(matrixErrorOf([&] { a.inverse(); }), 301);

                const Rows inside = product(rows, dice.matrix(n, 1, -3, 3));
                Rows outside = inside;
                for (std::size_t i = 0; i < n; ++i) {
                    outside[i][0] = outside[i][0] + e[i][rank];
                }
                Matrix<Bruch> x = matrixFrom(zeros(n, 1));
                x.element(1, 1) = Bruch(42);
                const std::string xBefore = exactText(x);
                EXPECT_EQ(a.solve(x, matrixFrom(inside)), SolveStatus::InfiniteSolutions);
                EXPECT_EQ(a.solve(x, matrixFrom(outside)), SolveStatus::NoSolution);
                EXPECT_EQ(exactText(x), xBefore);
            }
        }
    }
}

}  // namespace
}  // namespace zifferon
