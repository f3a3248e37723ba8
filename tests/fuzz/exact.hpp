#pragma once

// Exact rational arithmetic of GMP as the fuzzers' reference for fractions.

#include <gmpxx.h>

#include <cstdint>
#include <string>

#include "zifferon/number/bruch.hpp"

namespace zifferon::fuzzing {

inline mpz_class bigInteger(std::int64_t value) {
    mpz_class result;
    mpz_set_si(result.get_mpz_t(), value);  // long is 64 bits on the platforms we fuzz on
    return result;
}

// The value of a fraction as stored, typed or reduced.
inline mpq_class exactValue(const Bruch& value) {
    mpq_class result(bigInteger(value.getZaehler()), bigInteger(value.getNenner()));
    result.canonicalize();
    return result;
}

// Whether the fraction holds exactly this value in normal form.
inline bool isNormalFormOf(const Bruch& value, const mpq_class& expected) {
    return value.getNenner() > 0 && bigInteger(value.getZaehler()) == expected.get_num() &&
           bigInteger(value.getNenner()) == expected.get_den();
}

// Whether a value's normal form fits the fraction type.
inline bool fits(const mpq_class& value) {
    static const mpz_class lowest = bigInteger(INT64_MIN);
    static const mpz_class highest = bigInteger(INT64_MAX);
    return value.get_num() >= lowest && value.get_num() <= highest && value.get_den() <= highest;
}

inline std::string describe(const Bruch& value) {
    return std::to_string(value.getZaehler()) + "/" + std::to_string(value.getNenner());
}

}  // namespace zifferon::fuzzing
