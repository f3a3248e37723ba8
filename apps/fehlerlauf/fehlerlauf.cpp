#include "fehlerlauf.hpp"

#include <cstdint>

#include "zifferon/console/program_run.hpp"
#include "zifferon/matrix/matrix.hpp"
#include "zifferon/matrix/print_error.hpp"

namespace zifferon::fehlerlauf {

namespace {

// One call of solve; only the size checks run, as no step passes all of them.
void provokeSolverError(console::Console& console, const Matrix<float>& a, Matrix<float>& x,
                        const Matrix<float>& b) {
    try {
        static_cast<void>(a.solve(x, b));
    } catch (const MatrixException& error) {
        printError(error, console);
    }
    console.pause();
}

struct Sizes {
    std::uint32_t rows;
    std::uint32_t columns;
};

// Each step breaks exactly one check, the next one in the solver's order, with A 3 x 3:
// b not a column, x not a column, b and x of different lengths, b shorter than A.
struct Step {
    Sizes b;
    Sizes x;
};
constexpr Step steps[] = {
    {{3, 2}, {3, 1}},
    {{3, 1}, {3, 2}},
    {{3, 1}, {2, 1}},
    {{2, 1}, {2, 1}},
};

}  // namespace

int run(console::Console& console) {
    return console::runProgram(console, [&] {
        const Matrix<float> a(3, 3);
        Matrix<float> b(3, 1);
        Matrix<float> x(3, 1);
        for (const Step& step : steps) {
            b.resize(step.b.rows, step.b.columns);
            x.resize(step.x.rows, step.x.columns);
            provokeSolverError(console, a, x, b);
        }
        return 0;
    });
}

}  // namespace zifferon::fehlerlauf
