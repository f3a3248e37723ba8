#pragma once

// The fraction types of other libraries as element types of the bare-array algorithms.

#include <utility>

#include "bare_algorithms.hpp"

#if ZIFFERON_HAVE_BOOST
#include <boost/rational.hpp>
#endif
#if ZIFFERON_HAVE_GMP
#include <gmpxx.h>
#endif

namespace zifferon::bench {

#if ZIFFERON_HAVE_BOOST
// 64-bit fractions that, unlike Bruch, do not notice when an intermediate overflows.
using BoostRational = boost::rational<long long>;

template <>
struct Scalar<BoostRational> {
    static bool isZero(const BoostRational& value) { return value.numerator() == 0; }
    static BoostRational one() { return BoostRational(1); }
    static BoostRational product(const BoostRational& left, const BoostRational& right) {
        return left * right;
    }
    static void store(BoostRational& target, const BoostRational& value) { target = value; }
};
#endif

#if ZIFFERON_HAVE_GMP
// Fractions of unbounded size.
template <>
struct Scalar<mpq_class> {
    static bool isZero(const mpq_class& value) { return sgn(value) == 0; }
    static mpq_class one() { return mpq_class(1); }
    static mpq_class product(const mpq_class& left, const mpq_class& right) { return left * right; }
    static void store(mpq_class& target, mpq_class value) { target = std::move(value); }
};
#endif

}  // namespace zifferon::bench
