// The algebra: solve, determinant, product, inverse and adjugate of the library, of the same
// algorithms on bare arrays, and of the peers, on the same matrices.
//
// Names are operation/type/implementation/n. A case runs one system, or a workload of many
// (the typed fractions), one iteration running through all of them. Before a benchmark times
// anything it checks that its implementation gives the library's results (bit for bit for the
// same algorithm, value for value for the other fraction types); a difference is reported as
// an error.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "algebra_bench.hpp"
#include "bare_algorithms.hpp"
#include "peer_scalars.hpp"
#include "typed_fractions.hpp"
#include "zifferon/matrix/matrix.hpp"
#if ZIFFERON_HAVE_GMP
#include <gmpxx.h>

#include "gmp_elimination.hpp"
#endif

#if ZIFFERON_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace zifferon::bench {

namespace {

// The operands of one size: a square matrix, a second one for the product, a right-hand side.
template <class S>
struct Operands {
    std::size_t n = 0;
    Array<S> a;
    Array<S> second;
    Array<S> b;
};

// Floating point: I + R / (2n) with R uniform in [-1, 1], strictly diagonally dominant, so the
// elimination needs no exchange and the determinant stays near 1 at every size.
template <class T>
Operands<T> floatingOperands(std::size_t n) {
    std::mt19937_64 engine(20260 + n);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    const auto draw = [&] {
        if constexpr (std::is_same_v<T, Complex>) {
            const double re = uniform(engine);
            return Complex(re, uniform(engine));
        } else {
            return static_cast<T>(uniform(engine));
        }
    };
    const double scale = 0.5 / static_cast<double>(n);
    Operands<T> operands{n, Array<T>(n * n), Array<T>(n * n), Array<T>(n)};
    for (std::size_t i = 0; i < n * n; ++i) {
        const T offDiagonal = static_cast<T>(draw() * static_cast<T>(scale));
        operands.a[i] = i % (n + 1) == 0 ? static_cast<T>(T(1) + offDiagonal) : offDiagonal;
        operands.second[i] = draw();
    }
    for (T& value : operands.b) {
        value = draw();
    }
    return operands;
}

// Fractions: A = D L U with L unit lower and U unit upper triangular, entries -1, 0 or 1, and D
// diagonal with entries s and 1/s in turn (s from 1 to 5). The elimination meets the pivots of
// D, so factors and entries are proper fractions, yet every exact value stays small, the
// running diagonal product included: nothing comes near 64 bits, and all three fraction types
// run the same matrices. b = A x for x with entries -3 to 3.
struct RationalOperands {
    std::size_t n = 0;
    std::vector<Rational> a;
    std::vector<Rational> second;
    std::vector<Rational> b;
};

std::int64_t gcd(std::int64_t a, std::int64_t b) {
    while (b != 0) {
        const std::int64_t rest = a % b;
        a = b;
        b = rest;
    }
    return a < 0 ? -a : a;
}

Rational reduced(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t divisor = gcd(numerator, denominator);
    return {numerator / divisor, denominator / divisor};
}

// Row i of D L U, as integers over the row's denominator.
struct ScaledLu {
    std::vector<std::int64_t> lu;
    std::vector<Rational> d;
};

ScaledLu scaledLu(std::size_t n, std::mt19937_64& engine) {
    std::uniform_int_distribution<std::int64_t> unit(-1, 1);
    std::uniform_int_distribution<std::int64_t> scale(1, 5);
    std::vector<std::int64_t> l(n * n), u(n * n);
    ScaledLu result{std::vector<std::int64_t>(n * n), std::vector<Rational>(n)};
    std::int64_t s = 1;
    for (std::size_t i = 0; i < n; ++i) {
        if (i % 2 == 0) {
            s = scale(engine);
            result.d[i] = {s, 1};
        } else {
            result.d[i] = {1, s};
        }
        for (std::size_t j = 0; j < n; ++j) {
            l[i * n + j] = i == j ? 1 : (j < i ? unit(engine) : 0);
            u[i * n + j] = i == j ? 1 : (j > i ? unit(engine) : 0);
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            std::int64_t sum = 0;
            for (std::size_t k = 0; k < n; ++k) {
                sum += l[i * n + k] * u[k * n + j];
            }
            result.lu[i * n + j] = sum;
        }
    }
    return result;
}

std::vector<Rational> scaled(const ScaledLu& factors, std::size_t n) {
    std::vector<Rational> a(n * n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const Rational d = factors.d[i];
            a[i * n + j] = reduced(d.numerator * factors.lu[i * n + j], d.denominator);
        }
    }
    return a;
}

RationalOperands rationalOperands(std::size_t n) {
    std::mt19937_64 engine(4711 + n);
    const ScaledLu first = scaledLu(n, engine);
    const ScaledLu second = scaledLu(n, engine);
    RationalOperands operands{n, scaled(first, n), scaled(second, n), {}};
    std::uniform_int_distribution<std::int64_t> entry(-3, 3);
    std::vector<std::int64_t> x(n);
    for (std::int64_t& value : x) {
        value = entry(engine);
    }
    for (std::size_t i = 0; i < n; ++i) {
        std::int64_t sum = 0;
        for (std::size_t j = 0; j < n; ++j) {
            sum += first.lu[i * n + j] * x[j];
        }
        const Rational d = first.d[i];
        operands.b.push_back(reduced(d.numerator * sum, d.denominator));
    }
    return operands;
}

// Bruch values as typed: read through its stream input, which stores them unreduced. (Its
// constructor and its copy reduce; its assignment and an exchange keep the value as stored.)
// boost::rational reduces on construction, as it must.
template <class S>
Operands<S> convert(const RationalOperands& rationals) {
    const auto to = [](const std::vector<Rational>& values) {
        Array<S> result(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            if constexpr (std::is_same_v<S, Bruch>) {
                std::istringstream text(typedText({values[i]}, 1));
                text >> result[i];
            } else {
                result[i] = S(static_cast<long>(values[i].numerator),
                              static_cast<long>(values[i].denominator));
            }
        }
        return result;
    };
    return {rationals.n, to(rationals.a), to(rationals.second), to(rationals.b)};
}

template <class S>
std::vector<Operands<S>> convertAll(const std::vector<RationalOperands>& systems) {
    std::vector<Operands<S>> result;
    result.reserve(systems.size());
    for (const RationalOperands& system : systems) {
        result.push_back(convert<S>(system));
    }
    return result;
}

// A copy of the values as they are stored (see convert: for Bruch by assignment).
template <class S>
Array<S> storedCopy(const Array<S>& values) {
    Array<S> copy(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        copy[i] = values[i];
    }
    return copy;
}

template <class T>
Matrix<T> toMatrix(const Array<T>& values, std::size_t rows, std::size_t columns) {
    Matrix<T> matrix(static_cast<std::uint32_t>(rows), static_cast<std::uint32_t>(columns));
    if (values.empty()) {
        return matrix;  // an operand the workload does not have: no product for typed systems
    }
    if constexpr (std::is_same_v<T, Bruch>) {
        // Fractions enter the matrix as a user's do, through its stream input.
        std::vector<Rational> typed;
        for (const Bruch& value : values) {
            typed.push_back({value.getZaehler(), value.getNenner()});
        }
        std::istringstream text(typedText(typed, columns));
        text >> matrix;
    } else {
        for (std::uint32_t i = 1; i <= rows; ++i) {
            for (std::uint32_t j = 1; j <= columns; ++j) {
                matrix.element(i, j) = values[(i - 1) * columns + (j - 1)];
            }
        }
    }
    return matrix;
}

template <class T>
Array<T> toArray(const MatrixVector<T>& matrix) {
    Array<T> values;
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            values.push_back(matrix.element(i, j));
        }
    }
    return values;
}

// --- The implementations: `timed` operations for the loop, `result` ones for the check. ---

template <class T>
class LibraryAlgebra {
public:
    static constexpr bool sameAlgorithm = true;
    explicit LibraryAlgebra(const Operands<T>& operands)
        : n(operands.n),
          a(toMatrix(operands.a, n, n)),
          second(toMatrix(operands.second, n, n)),
          b(toMatrix(operands.b, n, 1)),
          x(static_cast<std::uint32_t>(n), 1) {}

    SolveStatus solve() { return a.solve(x, b); }
    T determinant() { return a.determinant(); }
    // The results as a program holds them, Matrix<T> c = a * b: made in place. A layer as the
    // type would be a copy of a temporary, as moving leaves a matrix as it was.
    Matrix<T> product() { return a * second; }
    Matrix<T> inverse() { return a.inverse(); }
    Matrix<T> adjugate() { return a.adjugate(); }

    Array<T> solveResult() {
        if (solve() != SolveStatus::UniqueSolution) {
            return {};
        }
        return toArray(x);
    }
    Array<T> determinantResult() { return {determinant()}; }
    Array<T> productResult() { return toArray(product()); }
    Array<T> inverseResult() { return toArray(inverse()); }
    Array<T> adjugateResult() { return toArray(adjugate()); }

private:
    std::size_t n;
    Matrix<T> a;
    Matrix<T> second;
    Matrix<T> b;
    Matrix<T> x;
};

template <class S>
class BareAlgebra {
public:
    static constexpr bool sameAlgorithm = true;
    explicit BareAlgebra(const Operands<S>& operands)
        : o{operands.n, storedCopy(operands.a), storedCopy(operands.second),
            storedCopy(operands.b)},
          x(operands.n) {}

    BareStatus solve() { return bareSolve(o.a, o.b, x, o.n); }
    S determinant() { return bareDeterminant(o.a, o.n); }
    Array<S> product() { return bareProduct(o.a, o.second, o.n, o.n, o.n); }
    Array<S> inverse() { return bareInverse(o.a, o.n); }
    Array<S> adjugate() { return bareAdjugate(o.a, o.n); }

    Array<S> solveResult() {
        if (solve() != BareStatus::Unique) {
            return {};
        }
        return x;
    }
    Array<S> determinantResult() { return {determinant()}; }
    Array<S> productResult() { return product(); }
    Array<S> inverseResult() { return inverse(); }
    Array<S> adjugateResult() { return adjugate(); }

private:
    Operands<S> o;
    Array<S> x;
};

// The typed workload of order n: `count` systems as a user types them (typed_fractions.hpp).
std::vector<RationalOperands> typedOperands(std::size_t n, std::size_t count,
                                            std::size_t& redrawn) {
    TypedSystemDraw draw(1913 + n);
    std::vector<RationalOperands> systems;
    for (std::size_t i = 0; i < count; ++i) {
        TypedSystem system = draw.next(n);
        systems.push_back({n, std::move(system.a), {}, std::move(system.b)});
    }
    redrawn = draw.redrawn();
    return systems;
}

#if ZIFFERON_HAVE_EIGEN
// Eigen's dense solver: LU with partial pivoting, blocked for large n. Another algorithm, so
// its results are not compared.
template <class T>
class EigenAlgebra {
public:
    static constexpr bool sameAlgorithm = false;
    using Dense = Eigen::Matrix<T, Eigen::Dynamic, Eigen::Dynamic>;
    using Vector = Eigen::Matrix<T, Eigen::Dynamic, 1>;

    explicit EigenAlgebra(const Operands<T>& operands)
        : a(toDense(operands.a, operands.n, operands.n)),
          second(toDense(operands.second, operands.n, operands.n)),
          b(toDense(operands.b, operands.n, 1)) {}

    const Vector& solve() {
        const Eigen::PartialPivLU<Dense> lu(a);
        x = lu.solve(b);
        return x;
    }
    T determinant() { return a.determinant(); }
    Dense product() { return a * second; }
    Dense inverse() { return a.inverse(); }

    Array<T> solveResult() { return fromDense(solve()); }
    Array<T> determinantResult() { return {determinant()}; }
    Array<T> productResult() { return fromDense(product()); }
    Array<T> inverseResult() { return fromDense(inverse()); }

private:
    static Dense toDense(const Array<T>& values, std::size_t rows, std::size_t columns) {
        Dense dense(static_cast<Eigen::Index>(rows), static_cast<Eigen::Index>(columns));
        for (std::size_t i = 0; i < rows; ++i) {
            for (std::size_t j = 0; j < columns; ++j) {
                dense(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(j)) =
                    values[i * columns + j];
            }
        }
        return dense;
    }
    template <class Values>
    static Array<T> fromDense(const Values& dense) {
        Array<T> values;
        for (Eigen::Index i = 0; i < dense.rows(); ++i) {
            for (Eigen::Index j = 0; j < dense.cols(); ++j) {
                values.push_back(dense(i, j));
            }
        }
        return values;
    }

    Dense a;
    Dense second;
    Vector b;
    Vector x;
};

// Eigen's fixed-size 3 x 3 matrices: the small-matrix peer of solve and determinant.
template <class T>
class EigenFixedAlgebra {
public:
    static constexpr bool sameAlgorithm = false;
    static constexpr int order = 3;
    using Square = Eigen::Matrix<T, order, order>;
    using Vector = Eigen::Matrix<T, order, 1>;

    explicit EigenFixedAlgebra(const Operands<T>& operands) {
        for (int i = 0; i < order; ++i) {
            for (int j = 0; j < order; ++j) {
                a(i, j) = operands.a[static_cast<std::size_t>(i * order + j)];
            }
            b(i) = operands.b[static_cast<std::size_t>(i)];
        }
    }

    const Vector& solve() {
        x = Eigen::PartialPivLU<Square>(a).solve(b);
        return x;
    }
    // The matrix counts as changed before every call: otherwise the compiler computes the
    // inlined determinant of the unchanged matrix once, outside the timed loop.
    T determinant() {
        benchmark::DoNotOptimize(a);
        return a.determinant();
    }

    Array<T> solveResult() {
        solve();
        return Array<T>(x.data(), x.data() + order);
    }
    Array<T> determinantResult() { return {determinant()}; }

private:
    Square a;
    Vector b;
    Vector x;
};
#endif

#if ZIFFERON_HAVE_GMP
// GMP's rationals through its C API, solve and determinant only.
class GmpAlgebra {
public:
    static constexpr bool sameAlgorithm = true;
    explicit GmpAlgebra(const RationalOperands& operands) : system(operands.n) {
        for (std::size_t i = 0; i < operands.a.size(); ++i) {
            set(system.a[i], operands.a[i]);
        }
        for (std::size_t i = 0; i < operands.b.size(); ++i) {
            set(system.b[i], operands.b[i]);
        }
        mpq_init(d);
    }
    GmpAlgebra(const GmpAlgebra&) = delete;
    GmpAlgebra& operator=(const GmpAlgebra&) = delete;
    ~GmpAlgebra() { mpq_clear(d); }

    BareStatus solve() { return system.solve(); }
    mpq_srcptr determinant() {
        system.determinant(d);
        return d;
    }

    Array<mpq_class> solveResult() {
        if (solve() != BareStatus::Unique) {
            return {};
        }
        Array<mpq_class> values;
        for (std::size_t i = 0; i < system.x.size(); ++i) {
            values.emplace_back(system.x[i]);
        }
        return values;
    }
    Array<mpq_class> determinantResult() { return {mpq_class(determinant())}; }

private:
    static void set(mpq_ptr target, Rational value) {
        mpq_set_si(target, static_cast<long>(value.numerator),
                   static_cast<unsigned long>(value.denominator));
        mpq_canonicalize(target);
    }

    GmpElimination system;
    mpq_t d;
};
#endif

// The systems of a workload, each with its own implementation; one call runs through all of
// them. The results of all systems in turn, or none when one system has no unique solution.
template <class Algebra>
class Batch {
public:
    static constexpr bool sameAlgorithm = Algebra::sameAlgorithm;
    template <class Source>
    explicit Batch(const std::vector<Source>& sources) {
        for (const Source& source : sources) {
            systems.push_back(std::make_unique<Algebra>(source));
        }
    }

    // Out of line, so that a profiler can take a whole pass by its name (instruction_profile.py).
    [[gnu::noinline]] std::size_t solve() {
        for (const auto& system : systems) {
            benchmark::DoNotOptimize(system->solve());
        }
        return systems.size();
    }
    [[gnu::noinline]] std::size_t determinant() {
        for (const auto& system : systems) {
            benchmark::DoNotOptimize(system->determinant());
        }
        return systems.size();
    }

    auto solveResult() {
        return all([](Algebra& system) { return system.solveResult(); });
    }
    auto determinantResult() {
        return all([](Algebra& system) { return system.determinantResult(); });
    }

private:
    template <class Result>
    auto all(Result result) {
        using Values = decltype(result(*systems.front()));
        Values values;
        bool complete = true;
        for (const auto& system : systems) {
            Values part = result(*system);
            complete = complete && !part.empty();
            std::move(part.begin(), part.end(), std::back_inserter(values));
        }
        return complete ? values : Values{};
    }

    std::vector<std::unique_ptr<Algebra>> systems;
};

// Runs `use` on `Algebra` made from the systems: itself for one system, a Batch for several.
template <class Algebra, class Source, class Use>
void withAlgebra(const std::vector<Source>& systems, Use use) {
    if (systems.size() == 1) {
        Algebra algebra(systems.front());
        use(algebra);
    } else {
        Batch<Algebra> batch(systems);
        use(batch);
    }
}

// --- Agreement with the library's results. ---

template <class T>
bool agree(const T& left, const T& right) {
    if constexpr (std::is_same_v<T, float>) {
        return std::bit_cast<std::uint32_t>(left) == std::bit_cast<std::uint32_t>(right);
    } else if constexpr (std::is_same_v<T, double>) {
        return std::bit_cast<std::uint64_t>(left) == std::bit_cast<std::uint64_t>(right);
    } else if constexpr (std::is_same_v<T, Complex>) {
        return agree(left.real(), right.real()) && agree(left.imag(), right.imag());
    } else {
        return left.getZaehler() == right.getZaehler() && left.getNenner() == right.getNenner();
    }
}

#if ZIFFERON_HAVE_BOOST
bool agree(const Bruch& left, const BoostRational& right) {
    return left.getZaehler() == right.numerator() && left.getNenner() == right.denominator();
}
#endif

#if ZIFFERON_HAVE_GMP
bool agree(const Bruch& left, const mpq_class& right) {
    const mpq_class value(mpz_class(static_cast<long>(left.getZaehler())),
                          mpz_class(static_cast<long>(left.getNenner())));
    return cmp(value, right) == 0;
}
#endif

template <class T, class S>
bool agreeAll(const Array<T>& reference, const Array<S>& values) {
    if (reference.empty() || reference.size() != values.size()) {
        return false;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!agree(reference[i], values[i])) {
            return false;
        }
    }
    return true;
}

// Each value within a few units of rounding of the library's (the operands are well
// conditioned: diagonally dominant, determinant near 1).
template <class T>
bool closeAll(const Array<T>& reference, const Array<T>& values) {
    const double tolerance = std::is_same_v<T, float> ? 1e-5 : 1e-12;
    if (reference.empty() || reference.size() != values.size()) {
        return false;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double scale = 1.0 + static_cast<double>(std::abs(reference[i]));
        if (!(static_cast<double>(std::abs(values[i] - reference[i])) <= tolerance * scale)) {
            return false;
        }
    }
    return true;
}

// --- Registration. ---

enum class Operation { Solve, Determinant, Product, Inverse, Adjugate };

constexpr const char* operationName(Operation operation) {
    switch (operation) {
        case Operation::Solve:
            return "solve";
        case Operation::Determinant:
            return "determinant";
        case Operation::Product:
            return "product";
        case Operation::Inverse:
            return "inverse";
        case Operation::Adjugate:
            return "adjugate";
    }
    return "";
}

// An implementation may offer only some of the operations (the peers); the others are never
// registered for it.
template <class Algebra>
auto result(Algebra& algebra, Operation operation) {
    using Values = decltype(algebra.solveResult());
    switch (operation) {
        case Operation::Solve:
            return algebra.solveResult();
        case Operation::Determinant:
            return algebra.determinantResult();
        case Operation::Product:
            if constexpr (requires { algebra.productResult(); }) {
                return algebra.productResult();
            }
            break;
        case Operation::Inverse:
            if constexpr (requires { algebra.inverseResult(); }) {
                return algebra.inverseResult();
            }
            break;
        case Operation::Adjugate:
            if constexpr (requires { algebra.adjugateResult(); }) {
                return algebra.adjugateResult();
            }
            break;
    }
    return Values{};
}

template <class Operate>
void timeLoop(benchmark::State& state, Operate operate) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(operate());
        benchmark::ClobberMemory();
    }
}

template <class Algebra>
void timeOperation(benchmark::State& state, Algebra& algebra, Operation operation) {
    switch (operation) {
        case Operation::Solve:
            timeLoop(state, [&] { return algebra.solve(); });
            break;
        case Operation::Determinant:
            timeLoop(state, [&] { return algebra.determinant(); });
            break;
        case Operation::Product:
            if constexpr (requires { algebra.product(); }) {
                timeLoop(state, [&] { return algebra.product(); });
            }
            break;
        case Operation::Inverse:
            if constexpr (requires { algebra.inverse(); }) {
                timeLoop(state, [&] { return algebra.inverse(); });
            }
            break;
        case Operation::Adjugate:
            if constexpr (requires { algebra.adjugate(); }) {
                timeLoop(state, [&] { return algebra.adjugate(); });
            }
            break;
    }
}

std::string benchmarkName(Operation operation, const char* type, const char* implementation,
                          std::size_t n) {
    return std::string(operationName(operation)) + "/" + type + "/" + implementation + "/" +
           std::to_string(n);
}

void setUnit(benchmark::internal::Benchmark* benchmark, std::size_t n) {
    benchmark->Unit(n <= 9 ? benchmark::kNanosecond : benchmark::kMicrosecond);
}

// The systems of one case, all of order n.
template <class Source>
using Systems = std::shared_ptr<const std::vector<Source>>;

// Times `Algebra` on the systems; `reference` yields the library's results to agree with. A
// workload of several systems reports their count as the counter "systems".
template <class Algebra, class Source, class Reference>
void registerAlgebra(Operation operation, const char* type, const char* implementation,
                     Systems<Source> systems, Reference reference) {
    const std::size_t n = systems->front().n;
    auto* benchmark = benchmark::RegisterBenchmark(
        benchmarkName(operation, type, implementation, n).c_str(),
        [operation, systems, reference](benchmark::State& state) {
            withAlgebra<Algebra>(*systems, [&](auto& algebra) {
                using Implementation = std::remove_reference_t<decltype(algebra)>;
                bool same = false;
                try {
                    // Another algorithm (Eigen's pivoting LU, cofactors, blocked products)
                    // rounds otherwise: it agrees within rounding, the same algorithm bit for bit.
                    if constexpr (Implementation::sameAlgorithm) {
                        same = agreeAll(reference(), result(algebra, operation));
                    } else {
                        same = closeAll(reference(), result(algebra, operation));
                    }
                } catch (...) {
                }
                if (!same) {
                    state.SkipWithError("results differ from the library's");
                    return;
                }
                timeOperation(state, algebra, operation);
            });
            if (systems->size() > 1) {
                state.counters["systems"] = static_cast<double>(systems->size());
            }
        });
    setUnit(benchmark, n);
}

// A peer that is not there: a case that says so. The goal judge counts a case whose message
// starts with "not available: " as not measured, not as failed.
[[maybe_unused]] void registerMissing(Operation operation, const char* type,
                                      const char* implementation, std::size_t n,
                                      const char* message) {
    setUnit(benchmark::RegisterBenchmark(
                benchmarkName(operation, type, implementation, n).c_str(),
                [message](benchmark::State& state) { state.SkipWithError(message); }),
            n);
}

constexpr const char* eigenMissing = "not available: Eigen 3 (bench/install-peers.sh)";
constexpr const char* boostMissing = "not available: boost/rational.hpp (bench/install-peers.sh)";
constexpr const char* gmpMissing = "not available: GMP's gmpxx.h (bench/install-peers.sh)";

template <class T>
const char* typeName() {
    if constexpr (std::is_same_v<T, float>) {
        return "float";
    } else if constexpr (std::is_same_v<T, double>) {
        return "double";
    } else if constexpr (std::is_same_v<T, Complex>) {
        return "complex";
    } else {
        return "bruch";
    }
}

// The library, the bare loops and the peers on the same systems; `integers` holds the
// fractions as pairs of integers, for the fraction peers.
template <class T>
void registerImplementations(Operation operation, const char* type, Systems<Operands<T>> systems,
                             [[maybe_unused]] Systems<RationalOperands> integers, bool withPeers) {
    [[maybe_unused]] const std::size_t n = systems->front().n;
    // The library's results, computed once when a benchmark first asks for them.
    auto cache = std::make_shared<Array<T>>();
    const auto reference = [operation, systems, cache] {
        if (cache->empty()) {
            withAlgebra<LibraryAlgebra<T>>(
                *systems, [&](auto& library) { *cache = result(library, operation); });
        }
        return *cache;
    };

    registerAlgebra<LibraryAlgebra<T>>(operation, type, "library", systems, reference);
    registerAlgebra<BareAlgebra<T>>(operation, type, "bare", systems, reference);
    if (!withPeers) {
        return;
    }
    if constexpr (std::is_same_v<T, Bruch>) {
#if ZIFFERON_HAVE_BOOST
        registerAlgebra<BareAlgebra<BoostRational>>(
            operation, type, "boost",
            std::make_shared<const std::vector<Operands<BoostRational>>>(
                convertAll<BoostRational>(*integers)),
            reference);
#else
        registerMissing(operation, type, "boost", n, boostMissing);
#endif
#if ZIFFERON_HAVE_GMP
        registerAlgebra<GmpAlgebra>(operation, type, "gmp", integers, reference);
#else
        registerMissing(operation, type, "gmp", n, gmpMissing);
#endif
    } else {
#if ZIFFERON_HAVE_EIGEN
        registerAlgebra<EigenAlgebra<T>>(operation, type, "eigen", systems, reference);
        if (n == EigenFixedAlgebra<T>::order &&
            (operation == Operation::Solve || operation == Operation::Determinant)) {
            registerAlgebra<EigenFixedAlgebra<T>>(operation, type, "eigen-fixed", systems,
                                                  reference);
        }
#else
        registerMissing(operation, type, "eigen", n, eigenMissing);
        if (n == 3 && (operation == Operation::Solve || operation == Operation::Determinant)) {
            registerMissing(operation, type, "eigen-fixed", n, eigenMissing);
        }
#endif
    }
}

template <class T>
void registerType(Operation operation, std::size_t n, bool withPeers) {
    if constexpr (std::is_same_v<T, Bruch>) {
        const auto integers =
            std::make_shared<const std::vector<RationalOperands>>(1, rationalOperands(n));
        registerImplementations<T>(
            operation, typeName<T>(),
            std::make_shared<const std::vector<Operands<T>>>(convertAll<T>(*integers)), integers,
            withPeers);
    } else {
        registerImplementations<T>(
            operation, typeName<T>(),
            std::make_shared<const std::vector<Operands<T>>>(1, floatingOperands<T>(n)), nullptr,
            withPeers);
    }
}

// Solve and determinant on the typed workload (typed_fractions.hpp): 300 systems of each order.
void registerTypedFractions() {
    constexpr std::size_t systemsPerOrder = 300;
    std::string redrawn;
    for (const std::size_t n : {3, 4, 5, 6}) {
        std::size_t dropped = 0;
        const auto integers = std::make_shared<const std::vector<RationalOperands>>(
            typedOperands(n, systemsPerOrder, dropped));
        const auto systems =
            std::make_shared<const std::vector<Operands<Bruch>>>(convertAll<Bruch>(*integers));
        for (const Operation operation : {Operation::Solve, Operation::Determinant}) {
            registerImplementations<Bruch>(operation, "bruch-typed", systems, integers, true);
        }
        redrawn += (redrawn.empty() ? "" : ", ") + std::string("n = ") + std::to_string(n) + ": " +
                   std::to_string(dropped);
    }
    benchmark::AddCustomContext("typed systems drawn again (not uniquely solvable)", redrawn);
}

template <class T>
void registerElementType() {
    constexpr bool exact = std::is_same_v<T, Bruch>;
    // The mass tests' sizes, then larger ones where the cost allows: the exact types grow
    // slower, and the adjugate costs n^5.
    const std::vector<std::size_t> sizes =
        exact ? std::vector<std::size_t>{3, 9, 50} : std::vector<std::size_t>{3, 9, 50, 200};
    for (const std::size_t n : sizes) {
        registerType<T>(Operation::Solve, n, true);
        registerType<T>(Operation::Determinant, n, true);
        // Fractions have no peer for the product; Eigen sums it in another order (see closeAll).
        registerType<T>(Operation::Product, n, !exact);
    }
    for (const std::size_t n : {3, 9}) {
        registerType<T>(Operation::Inverse, n, !exact);
        registerType<T>(Operation::Adjugate, n, false);
    }
}

}  // namespace

void registerAlgebraBenchmarks() {
    registerElementType<float>();
    registerElementType<double>();
    registerElementType<Complex>();
    registerElementType<Bruch>();
    registerTypedFractions();
}

}  // namespace zifferon::bench
