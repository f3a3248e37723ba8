#include "zifferon/number/bruch.hpp"

#include <cstdint>
#include <istream>
#include <limits>
#include <ostream>

namespace zifferon {

namespace {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

constexpr UInt128 int64Max = std::numeric_limits<std::int64_t>::max();

// Euclid; only reached when an intermediate does not fit in 64 bits.
UInt128 gcd(UInt128 a, UInt128 b) {
    while (b != 0) {
        const UInt128 rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

// |value| as an unsigned number; well defined for the most negative value too.
UInt128 magnitude(Int128 value) {
    return value < 0 ? UInt128(0) - UInt128(value) : UInt128(value);
}

}  // namespace

// The slow paths: exact intermediates in 128 bits, turned into a fraction in normal form.
// Working on magnitudes keeps every step defined: the most negative value is never negated or
// divided by -1.
class BruchBuilder {
public:
    static Bruch reduce(Int128 zaehler, Int128 nenner) {
        if (nenner == 0) {
            throw Bruch::konstruktorFehler;
        }
        const bool negative = (zaehler < 0) != (nenner < 0);
        UInt128 z = magnitude(zaehler);
        UInt128 n = magnitude(nenner);
        if (z == 0) {
            return Bruch();
        }
        const UInt128 divisor = gcd(z, n);
        z /= divisor;
        n /= divisor;
        // Terms in lowest terms beyond 64 bits cannot fit; the 64-bit path tests the rest.
        if (n > int64Max || z > int64Max + 1) {
            throw Bruch::ueberlaufFehler;
        }
        return Bruch::fromMagnitudes(negative, static_cast<std::uint64_t>(z),
                                     static_cast<std::uint64_t>(n));
    }

    // The operand in normal form, as 128-bit integers (no 64-bit limit applies here).
    struct Wide {
        Int128 zaehler;
        Int128 nenner;
    };
    static Wide widen(const Bruch& value) {
        const bool negative = (value.zaehler < 0) != (value.nenner < 0);
        UInt128 z = magnitude(value.zaehler);
        UInt128 n = magnitude(value.nenner);
        if (z == 0) {
            return {0, 1};
        }
        const UInt128 divisor = gcd(z, n);
        z /= divisor;
        n /= divisor;
        return {negative ? -Int128(z) : Int128(z), Int128(n)};
    }
};

// Both operands brought to normal form in 128 bits first. Then |p| <= 2^63 and 0 < q <= 2^63
// for both, and |p*s| = 2^126 would need |p| = s = 2^63, leaving r and q odd, so |r*q| < 2^126
// and the sum stays below 2^127.
Bruch Bruch::wideSum(const Bruch& x, const Bruch& y, bool subtract) {
    const BruchBuilder::Wide a = BruchBuilder::widen(x);
    const BruchBuilder::Wide b = BruchBuilder::widen(y);
    const Int128 left = a.zaehler * b.nenner;
    const Int128 right = b.zaehler * a.nenner;
    return BruchBuilder::reduce(subtract ? left - right : left + right, a.nenner * b.nenner);
}

// Each 128-bit product is at most 2^126 in magnitude.
Bruch Bruch::wideProduct(std::int64_t p, std::int64_t q, std::int64_t r, std::int64_t s) {
    return BruchBuilder::reduce(Int128(p) * r, Int128(q) * s);
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
    return Int128(x.zaehler) * y.nenner == Int128(y.zaehler) * x.nenner;
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
