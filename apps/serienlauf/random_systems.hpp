#pragma once

#include <cstdint>

#include "platform.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon::serienlauf {

// Draws the random systems of the mass tests. Drawing an equation count and filling a matrix
// each start by reseeding the generator from the clock (the time truncated to 32 bits) and end
// with a wait of one second, so that the next one gets a seed of its own.
template <class T>
class RandomSystems {
public:
    static constexpr unsigned waitMilliseconds = 1000;

    RandomSystems(Clock& clock, Sleeper& sleeper, RandomSource& random)
        : clock(clock), sleeper(sleeper), random(random) {}

    // The number of equations, 1 to 9: draws modulo 10 until one is not 0.
    std::uint32_t equationCount();
    // Every entry, row by row. float, double and each part of a complex number: a modulus
    // 1, 10, 100, 1000 or 10000, a value below it and a sign, in that order (a zero may become
    // -0). Fractions: numerator below 100, sign and denominator below 100, drawn again as a
    // whole while the denominator is 0.
    void fill(MatrixVector<T>& matrix);

private:
    void reseed();
    // One draw as the non-negative number the generator promises.
    unsigned draw();
    T drawEntry();
    template <class Real>
    Real drawPart();

    Clock& clock;
    Sleeper& sleeper;
    RandomSource& random;
};

extern template class RandomSystems<float>;
extern template class RandomSystems<double>;
extern template class RandomSystems<Complex>;
extern template class RandomSystems<Bruch>;

}  // namespace zifferon::serienlauf
