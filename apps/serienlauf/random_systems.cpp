#include "random_systems.hpp"

#include <type_traits>

namespace zifferon::serienlauf {

template <class T>
std::uint32_t RandomSystems<T>::equationCount() {
    reseed();
    std::uint32_t n = 0;
    while (n == 0) {
        n = draw() % 10;
    }
    sleeper.sleep(waitMilliseconds);
    return n;
}

template <class T>
void RandomSystems<T>::fill(MatrixVector<T>& matrix) {
    reseed();
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            matrix.element(i, j) = drawEntry();
        }
    }
    sleeper.sleep(waitMilliseconds);
}

template <class T>
void RandomSystems<T>::reseed() {
    random.seed(static_cast<std::uint32_t>(clock.seconds()));
}

template <class T>
unsigned RandomSystems<T>::draw() {
    return static_cast<unsigned>(random.draw());
}

template <class T>
template <class Real>
Real RandomSystems<T>::drawPart() {
    static constexpr unsigned moduli[] = {1, 10, 100, 1000, 10000};
    const unsigned modulus = moduli[draw() % 5];
    Real value = static_cast<Real>(draw() % modulus);
    if (draw() % 2 == 0) {
        value = -value;  // a zero becomes -0
    }
    return value;
}

template <class T>
T RandomSystems<T>::drawEntry() {
    if constexpr (std::is_same_v<T, Bruch>) {
        for (;;) {
            const auto m = static_cast<std::int64_t>(draw() % 100);
            const bool even = draw() % 2 == 0;
            const auto q = static_cast<std::int64_t>(draw() % 100);
            if (q != 0) {
                return Bruch(even ? -m : m, q);
            }
        }
    } else if constexpr (std::is_same_v<T, Complex>) {
        const double real = drawPart<double>();
        const double imaginary = drawPart<double>();
        return Complex(real, imaginary);
    } else {
        return drawPart<T>();
    }
}

template class RandomSystems<float>;
template class RandomSystems<double>;
template class RandomSystems<Complex>;
template class RandomSystems<Bruch>;

}  // namespace zifferon::serienlauf
