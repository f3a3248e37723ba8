#pragma once

// Fraction systems as a user types them: every entry of A and b is p/q with |p| <= 9 and
// 1 <= q <= 4, drawn uniformly and kept as typed (2/4 stays 2/4, 0/3 stays 0/3). Only systems
// the library solves uniquely are kept; the others are drawn again and counted. The same draws
// feed the algebra benchmarks and probelauf's script.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zifferon::bench {

// A fraction as two integers, reduced or not.
struct Rational {
    std::int64_t numerator;
    std::int64_t denominator;
};

// A square system a x = b of order n, row by row.
struct TypedSystem {
    std::size_t n = 0;
    std::vector<Rational> a;
    std::vector<Rational> b;
};

class TypedSystemDraw {
public:
    explicit TypedSystemDraw(std::uint64_t seed) : engine(seed) {}

    // The next uniquely solvable system of order n.
    TypedSystem next(std::size_t n);
    // Systems drawn and dropped so far because they had no unique solution.
    std::size_t redrawn() const { return dropped; }

private:
    std::mt19937_64 engine;
    std::uniform_int_distribution<std::int64_t> numerator{-9, 9};
    std::uniform_int_distribution<std::int64_t> denominator{1, 4};
    std::size_t dropped = 0;
};

// "p/q" for every value, separated by blanks, a line break after every `columns` values: the
// text a user types.
std::string typedText(const std::vector<Rational>& values, std::size_t columns);

}  // namespace zifferon::bench
