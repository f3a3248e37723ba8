#include "zifferon/number/bruch.hpp"

#include <cstdint>
#include <istream>
#include <ostream>
#include <utility>

namespace zifferon {

struct Bruch::LowestTerms {
    bool negative;
    std::uint64_t zaehler;
    std::uint64_t nenner;
};

Bruch::LowestTerms Bruch::lowestTerms(std::int64_t zaehler, std::int64_t nenner) noexcept {
    LowestTerms terms{(zaehler < 0) != (nenner < 0), magnitude<std::uint64_t>(zaehler),
                      magnitude<std::uint64_t>(nenner)};
    toLowestTerms(terms.zaehler, terms.nenner);
    return terms;
}

// Knuth's sum, from operands in lowest terms, keeps every term inside 128 bits and yields a
// result in lowest terms without a gcd of 128-bit numbers. With d1 = gcd(q, s) the exact sum is
// t / (q/d1 * s) for t = p * (s/d1) + r * (q/d1); the only common factors of t and that
// denominator lie in d1, so dividing by d2 = gcd(t, d1) leaves lowest terms. |p|, q, |r|, s are
// at most 2^63, and |p * s/d1| = 2^126 would need |p| = s/d1 = 2^63, leaving r and q/d1 odd, so
// |r * q/d1| < 2^126 and |t| stays below 2^127.
Bruch Bruch::wideSum(const Bruch& x, const Bruch& y, bool subtract) {
    const LowestTerms a = lowestTerms(x.zaehler, x.nenner);
    LowestTerms b = lowestTerms(y.zaehler, y.nenner);
    b.negative = b.negative != subtract;
    const std::uint64_t d1 = gcd(a.nenner, b.nenner);
    const std::uint64_t aNenner = a.nenner / d1;
    const std::uint64_t bNenner = b.nenner / d1;
    const auto signedTerm = [](const LowestTerms& value, std::uint64_t factor) {
        const Int128 term = Int128(UInt128(value.zaehler) * factor);
        return value.negative ? -term : term;
    };
    const Int128 t = signedTerm(a, bNenner) + signedTerm(b, aNenner);
    if (t == 0) {
        return Bruch();
    }
    UInt128 zaehler = magnitude<UInt128>(t);
    std::uint64_t d2 = 1;
    if (d1 != 1) {
        const std::uint64_t rest = static_cast<std::uint64_t>(zaehler % d1);
        d2 = rest == 0 ? d1 : gcd(rest, d1);
        zaehler /= d2;
    }
    return fromLowestTerms(t < 0, zaehler, UInt128(aNenner) * (b.nenner / d2));
}

// Knuth's product: the cross gcds g1 = gcd(p, s) and g2 = gcd(r, q) of operands in lowest
// terms leave the product of the quotients in lowest terms, each of its terms at most 2^126.
Bruch Bruch::wideProduct(std::int64_t p, std::int64_t q, std::int64_t r, std::int64_t s) {
    const LowestTerms a = lowestTerms(p, q);
    const LowestTerms b = lowestTerms(r, s);
    if (a.zaehler == 0 || b.zaehler == 0) {
        return Bruch();
    }
    const std::uint64_t g1 = gcd(a.zaehler, b.nenner);
    const std::uint64_t g2 = gcd(b.zaehler, a.nenner);
    return fromLowestTerms(a.negative != b.negative, UInt128(a.zaehler / g1) * (b.zaehler / g2),
                           UInt128(a.nenner / g2) * (b.nenner / g1));
}

// Mostly the denominator c.nenner * q overflows, though c's denominator and the product's share
// a factor g: without it, (c.zaehler * q/g - p * c.nenner/g) / (c.nenner * q/g) often fits, and
// reducing that whole gives the normal form as before. The product's terms fit as minusProduct
// requires, so the errors stay those of the two operators, which take every other case.
Bruch Bruch::wideMinusProduct(const Bruch& c, const Bruch& a, const Bruch& b) {
    std::int64_t p, q;
    if (c.nenner > 0 && unreducedTerms(a.zaehler, b.zaehler, a.nenner, b.nenner, p, q) && q > 0) {
        const auto g = static_cast<std::int64_t>(
            gcd(static_cast<std::uint64_t>(c.nenner), static_cast<std::uint64_t>(q)));
        std::int64_t left, right, zaehler, nenner;
        int overflows = __builtin_mul_overflow(c.zaehler, q / g, &left);
        overflows += __builtin_mul_overflow(p, c.nenner / g, &right);
        overflows += __builtin_sub_overflow(left, right, &zaehler);
        overflows += __builtin_mul_overflow(c.nenner, q / g, &nenner);
        if (overflows == 0) {
            return fromMagnitudes(zaehler < 0, magnitude<std::uint64_t>(zaehler),
                                  static_cast<std::uint64_t>(nenner));
        }
    }
    return c - a * b;
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
    // The numerator is kept even when what follows is refused.
    value.ungekuerztSetzen(zaehler, value.nenner);
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
    value.ungekuerztSetzen(zaehler, nenner);
    return in;
}

}  // namespace zifferon
