// Someone else's program on the installed library: the public headers through the project's
// prefix, results composed as a C++ user writes them, and a fraction system solved exactly.
#include <zifferon/matrix/matrix.hpp>
#include <zifferon/matrix/print_error.hpp>
#include <zifferon/number/bruch.hpp>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <iostream>

// Only the public API is installed: not the terminal layer, not the library's internals (its
// algorithms included), and no header outside the prefix.
#if __has_include(<zifferon/console/console.hpp>) || __has_include(<zifferon/matrix/storage_limit.hpp>) || \
    __has_include(<zifferon/matrix/screen_header.hpp>) || __has_include(<matrix/matrix.hpp>) ||  \
    __has_include(<number/bruch.hpp>) || __has_include(<zifferon/matrix/element_traits.hpp>) ||    \
    __has_include(<zifferon/matrix/row_kernels.hpp>) || __has_include(<zifferon/matrix/solver_steps.hpp>)
#error "a header outside the public API is installed"
#endif

using zifferon::Bruch;
using zifferon::Matrix;

namespace {

int failures = 0;

template <class T>
Matrix<T> twoByTwo(int a, int b, int c, int d) {
    Matrix<T> m(2, 2);
    m.element(1, 1) = T(a);
    m.element(1, 2) = T(b);
    m.element(2, 1) = T(c);
    m.element(2, 2) = T(d);
    return m;
}

template <class T>
void expect(const char* type, const char* what, const Matrix<T>& m, std::initializer_list<int> v) {
    const int* value = v.begin();
    for (std::uint32_t i = 1; i <= 2; ++i) {
        for (std::uint32_t j = 1; j <= 2; ++j, ++value) {
            if (!(m.element(i, j) == T(*value))) {
                std::cout << type << ": " << what << " differs at (" << i << ", " << j << ")\n";
                ++failures;
            }
        }
    }
}

// A = [2 1; 1 1] has determinant 1, so its adjugate [1 -1; -1 2] is its inverse; with
// B = [2 0; 1 2], A + B = [4 1; 2 3] has determinant 4 * (3 - 1/2) = 10, adj(A) B = [1 -2; 0 4]
// and A B = [5 2; 3 2]. Every step is exact in all four element types.
template <class T>
void compose(const char* type) {
    const Matrix<T> a = twoByTwo<T>(2, 1, 1, 1);
    const Matrix<T> b = twoByTwo<T>(2, 0, 1, 2);

    Matrix<T> x = a.inverse();
    expect(type, "A.inverse()", x, {1, -1, -1, 2});
    expect(type, "A * A.inverse()", a * a.inverse(), {1, 0, 0, 1});
    if (!((a + b).determinant() == T(10))) {
        std::cout << type << ": (A + B).determinant() is not 10\n";
        ++failures;
    }
    expect(type, "A.adjugate() * B", a.adjugate() * b, {1, -2, 0, 4});
    Matrix<T> c = a * b;
    expect(type, "A * B", c, {5, 2, 3, 2});
}

}  // namespace

int main() {
    compose<float>("float");
    compose<double>("double");
    compose<zifferon::Complex>("complex");
    compose<Bruch>("Bruch");

    // 1/2 x + 1/3 y = 1, 1/4 x + 1/5 y = 2.
    Matrix<Bruch> a(2, 2), b(2, 1), x(2, 1);
    a.element(1, 1) = Bruch(1, 2);
    a.element(1, 2) = Bruch(1, 3);
    a.element(2, 1) = Bruch(1, 4);
    a.element(2, 2) = Bruch(1, 5);
    b.element(1, 1) = Bruch(1);
    b.element(2, 1) = Bruch(2);

    std::cout << "Determinante: " << a.determinant() << '\n';
    if (a.solve(x, b) == zifferon::SolveStatus::UniqueSolution) {
        std::cout << "Loesung:\n" << x;
    }
    std::cout << "Probe:\n" << a * x;

    // The error shows where it happened: after the text written before, ahead of what follows,
    // also on C's stderr, which unlike std::cerr does not flush std::cout first.
    Matrix<Bruch> wide(2, 2);
    std::int32_t code = 0;
    try {
        a.solve(x, wide);
    } catch (const zifferon::MatrixException& error) {
        zifferon::printError(error);
        code = error.errorCode;
    }
    std::fprintf(stderr, "Fehlernummer %d\n", static_cast<int>(code));
    std::cout << "Ende\n";
    return failures == 0 ? 0 : 1;
}
