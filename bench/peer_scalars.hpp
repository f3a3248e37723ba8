#pragma once

// The fraction types of other libraries as element types of the bare-array algorithms.

#include "bare_algorithms.hpp"

#if ZIFFERON_HAVE_BOOST
#include <boost/rational.hpp>
#endif

namespace zifferon::bench {

#if ZIFFERON_HAVE_BOOST
// 64-bit fractions that, unlike Bruch, do not notice when an intermediate overflows.
using BoostRational = boost::rational<long long>;

template <>
struct Scalar<BoostRational> {
    static constexpr bool exact = true;
    static bool isZero(const BoostRational& value) { return value.numerator() == 0; }
    static BoostRational one() { return BoostRational(1); }
    static BoostRational product(const BoostRational& left, const BoostRational& right) {
        return left * right;
    }
    static BoostRational minusProduct(const BoostRational& c, const BoostRational& a,
                                      const BoostRational& b) {
        return c - a * b;
    }
    // boost::rational keeps every value in lowest terms.
    static BoostRational unreducedProduct(const BoostRational& left, const BoostRational& right) {
        return left * right;
    }
    static BoostRational unreducedQuotient(const BoostRational& left, const BoostRational& right) {
        return left / right;
    }
    static BoostRational workingCopy(const BoostRational& value) { return value; }
    static void store(BoostRational& target, const BoostRational& value) { target = value; }
};
#endif

}  // namespace zifferon::bench
