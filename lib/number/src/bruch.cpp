#include "zifferon/number/bruch.hpp"

#include <cstdint>
#include <istream>
#include <ostream>
#include <utility>

namespace zifferon {

// Both operands brought to normal form first (their magnitudes fit in 64 bits), then widened
// to 128. Then |p| <= 2^63 and 0 < q <= 2^63 for both, and |p*s| = 2^126 would need
// |p| = s = 2^63, leaving r and q odd, so |r*q| < 2^126 and the sum stays below 2^127.
Bruch Bruch::wideSum(const Bruch& x, const Bruch& y, bool subtract) {
    const auto widen = [](const Bruch& value) {
        std::uint64_t zaehler = magnitude<std::uint64_t>(value.zaehler);
        std::uint64_t nenner = magnitude<std::uint64_t>(value.nenner);
        toLowestTerms(zaehler, nenner);
        const bool negative = (value.zaehler < 0) != (value.nenner < 0);
        return std::pair<Int128, Int128>(negative ? -Int128(zaehler) : Int128(zaehler), nenner);
    };
    const auto [p, q] = widen(x);
    const auto [r, s] = widen(y);
    const Int128 left = p * s;
    const Int128 right = r * q;
    return reduced<UInt128>(subtract ? left - right : left + right, q * s);
}

// Each 128-bit product is at most 2^126 in magnitude.
Bruch Bruch::wideProduct(std::int64_t p, std::int64_t q, std::int64_t r, std::int64_t s) {
    return reduced<UInt128>(Int128(p) * r, Int128(q) * s);
}

std::int64_t Bruch::ggt(std::int64_t a, std::int64_t b) {
    while (b != 0) {
        // Any a is divisible by -1; testing it first avoids the undefined INT64_MIN % -1.
        if (b == -1 || a % b == 0) {
            return b;
        }
        const std::int64_t rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

Bruch::operator double() const {
    return static_cast<double>(zaehler) / static_cast<double>(nenner);
}

bool operator==(const Bruch& x, const Bruch& y) {
    // p/q == r/s exactly when p*s == r*q, whatever the signs of the denominators.
    return Bruch::Int128(x.zaehler) * y.nenner == Bruch::Int128(y.zaehler) * x.nenner;
}

std::ostream& operator<<(std::ostream& out, const Bruch& value) {
    if (value.zaehler == 0) {
        return out << '0';
    }
    out << value.zaehler;
    if (value.nenner != 1) {
        out << '/' << value.nenner;
    }
    return out;
}

std::istream& operator>>(std::istream& in, Bruch& value) {
    std::int64_t zaehler = 0;
    if (!(in >> zaehler)) {
        throw Bruch::eingabeFehler;
    }
    value.zaehler = zaehler;
    char slash = 0;
    if (!(in >> slash) || slash != '/') {
        throw Bruch::eingabeFehler;
    }
    std::int64_t nenner = 0;
    if (!(in >> nenner)) {
        throw Bruch::eingabeFehler;
    }
    if (nenner == 0) {
        throw Bruch::eingabeNennerFehler;
    }
    value.nenner = nenner;
    return in;
}

}  // namespace zifferon
