#include "number/bruch.hpp"

#include <bit>
#include <cstdint>
#include <istream>
#include <limits>
#include <ostream>

namespace zifferon {

namespace {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

constexpr std::uint64_t int64Max = std::numeric_limits<std::int64_t>::max();

// Binary gcd; both arguments non-zero.
std::uint64_t gcd(std::uint64_t a, std::uint64_t b) {
    const int shift = std::countr_zero(a | b);
    a >>= std::countr_zero(a);
    do {
        b >>= std::countr_zero(b);
        if (a > b) {
            std::swap(a, b);
        }
        b -= a;
    } while (b != 0);
    return a << shift;
}

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
template <class Unsigned, class Signed>
Unsigned magnitude(Signed value) {
    return value < 0 ? Unsigned(0) - Unsigned(value) : Unsigned(value);
}

}  // namespace

// Turns exact intermediates into a fraction in normal form. Working on magnitudes keeps every
// step defined: the most negative 64-bit value is never negated or divided by -1.
class BruchBuilder {
public:
    template <class Unsigned>
    static Bruch fromMagnitudes(bool negative, Unsigned zaehler, Unsigned nenner) {
        if (zaehler == 0) {
            return Bruch();
        }
        const Unsigned divisor = gcd(zaehler, nenner);
        zaehler /= divisor;
        nenner /= divisor;
        const Unsigned zaehlerLimit = Unsigned(int64Max) + (negative ? 1 : 0);
        if (nenner > Unsigned(int64Max) || zaehler > zaehlerLimit) {
            throw Bruch::ueberlaufFehler;
        }
        const auto z = static_cast<std::uint64_t>(zaehler);
        return Bruch(Bruch::NormalForm{}, static_cast<std::int64_t>(negative ? 0 - z : z),
                     static_cast<std::int64_t>(nenner));
    }

    template <class Signed>
    static Bruch reduce(Signed zaehler, Signed nenner) {
        using Unsigned = std::conditional_t<sizeof(Signed) == 8, std::uint64_t, UInt128>;
        if (nenner == 0) {
            throw Bruch::konstruktorFehler;
        }
        return fromMagnitudes((zaehler < 0) != (nenner < 0), magnitude<Unsigned>(zaehler),
                              magnitude<Unsigned>(nenner));
    }

    // The operand in normal form, as 128-bit integers (no 64-bit limit applies here).
    struct Wide {
        Int128 zaehler;
        Int128 nenner;
    };
    static Wide widen(const Bruch& value) {
        const bool negative = (value.zaehler < 0) != (value.nenner < 0);
        UInt128 z = magnitude<UInt128>(value.zaehler);
        UInt128 n = magnitude<UInt128>(value.nenner);
        if (z == 0) {
            return {0, 1};
        }
        const UInt128 divisor = gcd(z, n);
        z /= divisor;
        n /= divisor;
        return {negative ? -Int128(z) : Int128(z), Int128(n)};
    }

    // x + sign * y. The 64-bit attempt covers the usual case; otherwise both operands are
    // brought to normal form in 128 bits first. Then |p| <= 2^63 and 0 < q <= 2^63 for both,
    // and |p*s| = 2^126 would need |p| = s = 2^63, leaving r and q odd, so |r*q| < 2^126 and
    // the sum stays below 2^127.
    static Bruch addScaled(const Bruch& x, const Bruch& y, int sign) {
        std::int64_t ps, rq, zaehler, nenner;
        if (!__builtin_mul_overflow(x.zaehler, y.nenner, &ps) &&
            !__builtin_mul_overflow(y.zaehler, x.nenner, &rq) &&
            !(sign > 0 ? __builtin_add_overflow(ps, rq, &zaehler)
                       : __builtin_sub_overflow(ps, rq, &zaehler)) &&
            !__builtin_mul_overflow(x.nenner, y.nenner, &nenner)) {
            return reduce(zaehler, nenner);
        }
        const Wide a = widen(x);
        const Wide b = widen(y);
        const Int128 left = a.zaehler * b.nenner;
        const Int128 right = b.zaehler * a.nenner;
        return reduce(sign > 0 ? left + right : left - right, a.nenner * b.nenner);
    }

    // (p*r) / (q*s); each 128-bit product is at most 2^126 in magnitude.
    static Bruch multiply(std::int64_t p, std::int64_t q, std::int64_t r, std::int64_t s) {
        std::int64_t zaehler, nenner;
        if (!__builtin_mul_overflow(p, r, &zaehler) && !__builtin_mul_overflow(q, s, &nenner)) {
            return reduce(zaehler, nenner);
        }
        return reduce(Int128(p) * r, Int128(q) * s);
    }
};

Bruch::Bruch(std::int64_t zaehler, std::int64_t nenner) : nenner(nenner), zaehler(zaehler) {
    kuerzen();
}

Bruch::Bruch(const Bruch& other) : nenner(other.nenner), zaehler(other.zaehler) {
    kuerzen();
}

Bruch Bruch::operator=(const Bruch& other) {
    nenner = other.nenner;
    zaehler = other.zaehler;
    return *this;
}

void Bruch::kuerzen() {
    const Bruch normal = BruchBuilder::reduce(zaehler, nenner);
    zaehler = normal.zaehler;
    nenner = normal.nenner;
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

Bruch& Bruch::operator+=(const Bruch& other) {
    const Bruch sum = *this + other;
    zaehler = sum.zaehler;
    nenner = sum.nenner;
    return *this;
}

Bruch& Bruch::operator*=(const Bruch& other) {
    const Bruch product = *this * other;
    zaehler = product.zaehler;
    nenner = product.nenner;
    return *this;
}

Bruch Bruch::operator-() const {
    return BruchBuilder::multiply(zaehler, nenner, -1, 1);
}

Bruch::operator double() const {
    return static_cast<double>(zaehler) / static_cast<double>(nenner);
}

Bruch operator+(const Bruch& x, const Bruch& y) {
    return BruchBuilder::addScaled(x, y, +1);
}

Bruch operator-(const Bruch& x, const Bruch& y) {
    return BruchBuilder::addScaled(x, y, -1);
}

Bruch operator*(const Bruch& x, const Bruch& y) {
    return BruchBuilder::multiply(x.zaehler, x.nenner, y.zaehler, y.nenner);
}

Bruch operator/(const Bruch& x, const Bruch& y) {
    if (y.zaehler == 0) {
        throw Bruch::divisionDurchNullFehler;
    }
    return BruchBuilder::multiply(x.zaehler, x.nenner, y.nenner, y.zaehler);
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
