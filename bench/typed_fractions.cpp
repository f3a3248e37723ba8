#include "typed_fractions.hpp"

#include <sstream>

#include "zifferon/matrix/matrix.hpp"

namespace zifferon::bench {

namespace {

// Whether the library solves the system uniquely, read as it is typed. An error of the
// fraction arithmetic is not a reason to draw again: it passes, and the benchmarks' result
// checks report it.
bool solvesUniquely(const TypedSystem& system) {
    const auto n = static_cast<std::uint32_t>(system.n);
    Matrix<Bruch> a(n, n), b(n, 1), x(n, 1);
    std::istringstream text(typedText(system.a, system.n) + typedText(system.b, 1));
    text >> a >> b;
    return a.solve(x, b) == SolveStatus::UniqueSolution;
}

}  // namespace

TypedSystem TypedSystemDraw::next(std::size_t n) {
    const auto draw = [&](std::size_t count) {
        std::vector<Rational> values(count);
        for (Rational& value : values) {
            value.numerator = numerator(engine);
            value.denominator = denominator(engine);
        }
        return values;
    };
    while (true) {
        TypedSystem system{n, draw(n * n), draw(n)};
        if (solvesUniquely(system)) {
            return system;
        }
        ++dropped;
    }
}

std::string typedText(const std::vector<Rational>& values, std::size_t columns) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += std::to_string(values[i].numerator);
        text += '/';
        text += std::to_string(values[i].denominator);
        text += (i + 1) % columns == 0 ? '\n' : ' ';
    }
    return text;
}

}  // namespace zifferon::bench
