#pragma once

#include <cassert>
#include <cstdint>
#include <iosfwd>
#include <limits>
#include <utility>

namespace zifferon {

// An exact fraction of two signed 64-bit integers.
//
// Normal form: nenner > 0 and gcd(zaehler, nenner) == 1; zero is 0/1. Every fraction that a
// constructor, a copy or an arithmetic operation produces is in normal form (see the data
// members for where it is established). Stream input, `ungekuerztSetzen` and assignment store the
// two integers as they are, so a fraction typed as 2/4 stays 2/4 until it takes part in
// arithmetic or is copied.
//
// Intermediate products are formed exactly (in 128 bits where 64 do not suffice), so a result
// is exact whenever its normal form fits in 64 bits; otherwise the operation throws
// `ueberlaufFehler` and leaves its operands as they were.
//
// Failures are thrown as `const char*`, pointing at one of the texts below.
class Bruch {
public:
    static constexpr const char* konstruktorFehler =
        "Konstruktorfehler (Nenner darf nicht 0 sein.)";
    static constexpr const char* divisionDurchNullFehler =
        "mathematischer Fehler -> Division durch 0 (Bruchzahl)";
    static constexpr const char* eingabeFehler = "Eingabefehler (Bruchzahl)";
    static constexpr const char* eingabeNennerFehler = "Eingabefehler (Nenner darf nicht 0 sein.)";
    static constexpr const char* ueberlaufFehler = "mathematischer Fehler -> Ueberlauf (Bruchzahl)";

    Bruch() = default;
    // Stores both integers, then brings them to normal form; a zero denominator throws
    // `konstruktorFehler`.
    explicit Bruch(std::int64_t zaehler, std::int64_t nenner = 1);
    // The copy is the source in normal form.
    Bruch(const Bruch& other);
    // Copies numerator and denominator unreduced; returns a copy of the target (in normal form).
    Bruch operator=(const Bruch& other);
    // A copy that keeps the two integers as stored (2/4 stays 2/4) where the denominator is
    // positive, and is the normalising copy otherwise. It refuses exactly what the copy
    // constructor refuses, a value whose normal form does not fit (such as -2^63/-1): with a
    // positive denominator the normal form always fits, as reducing only shrinks magnitudes and
    // the sign stays with the numerator. Arithmetic gives the same results on either copy, so
    // algorithms that only compute with their copies need not pay the normalising copy's gcd.
    static Bruch ungekuerzteKopie(const Bruch& value) {
        return value.nenner > 0 ? Bruch(AsStored{}, value.zaehler, value.nenner) : Bruch(value);
    }
    virtual ~Bruch() = default;

    // Brings the fraction to normal form in place.
    void kuerzen();
    // Stores both integers as they are, without `kuerzen`: the fraction as typed, 2/4 or 1/-2,
    // as stream input stores it. A zero denominator throws `konstruktorFehler` and changes
    // nothing.
    void ungekuerztSetzen(std::int64_t zaehler, std::int64_t nenner);
    // Greatest common divisor by Euclid on signed values; the result may be negative.
    // ggt(a, 0) is a.
    static std::int64_t ggt(std::int64_t a, std::int64_t b);

    std::int64_t getZaehler() const { return zaehler; }
    std::int64_t getNenner() const { return nenner; }

    Bruch& operator+=(const Bruch& other);
    Bruch& operator*=(const Bruch& other);
    Bruch operator-() const;

    // Numerator and denominator each converted to double and divided.
    explicit operator double() const;

    friend Bruch operator+(const Bruch& x, const Bruch& y) { return sum(x, y, false); }
    friend Bruch operator-(const Bruch& x, const Bruch& y) { return sum(x, y, true); }
    friend Bruch operator*(const Bruch& x, const Bruch& y) {
        return product(x.zaehler, x.nenner, y.zaehler, y.nenner);
    }
    // Throws `divisionDurchNullFehler` when the numerator of y is 0.
    friend Bruch operator/(const Bruch& x, const Bruch& y) {
        if (y.zaehler == 0) {
            throw divisionDurchNullFehler;
        }
        return product(x.zaehler, x.nenner, y.nenner, y.zaehler);
    }

    // c - a * b: the value, the normal form and the error of the product followed by the
    // difference, for operands in any stored form, with one reduction instead of two: the step
    // of every elimination. See the definition for why the errors are the same.
    static Bruch minusProduct(const Bruch& c, const Bruch& a, const Bruch& b);
    // x * y and x / y as the products of the stored terms, unreduced, where both fit in 64 bits
    // and neither is the most negative value (the normal form then fits too, see minusProduct),
    // otherwise by the operator: the same value and error without the operator's gcd, for a
    // value that is only computed with further or tested for zero. Division by a zero numerator
    // throws as the operator does.
    static Bruch ungekuerztesProdukt(const Bruch& x, const Bruch& y) {
        std::int64_t z, n;
        if (unreducedTerms(x.zaehler, y.zaehler, x.nenner, y.nenner, z, n)) {
            return Bruch(AsStored{}, z, n);
        }
        return x * y;
    }
    static Bruch ungekuerzterQuotient(const Bruch& x, const Bruch& y) {
        std::int64_t z, n;
        if (unreducedTerms(x.zaehler, y.nenner, x.nenner, y.zaehler, z, n)) {
            return Bruch(AsStored{}, z, n);
        }
        return x / y;
    }

    // Exchanges the stored integers as they are.
    friend void swap(Bruch& x, Bruch& y) noexcept {
        std::swap(x.nenner, y.nenner);
        std::swap(x.zaehler, y.zaehler);
    }

    // Exact comparison of the values: 1/2 equals 2/4.
    friend bool operator==(const Bruch& x, const Bruch& y);

    // "0" for a zero numerator, the numerator alone over 1, otherwise zaehler "/" nenner,
    // all as stored.
    friend std::ostream& operator<<(std::ostream& out, const Bruch& value);
    // Reads numerator, "/", denominator and stores them unreduced. A missing "/" or text that is
    // not a 64-bit integer throws `eingabeFehler`; a zero denominator `eingabeNennerFehler`.
    // A numerator once read is stored; a rejected denominator keeps the previous one.
    friend std::istream& operator>>(std::istream& in, Bruch& value);

private:
    // Intermediates that do not fit in 64 bits are formed exactly in 128.
    __extension__ typedef __int128 Int128;
    __extension__ typedef unsigned __int128 UInt128;

    // Takes terms already in normal form, and checks that they are in debug builds.
    struct NormalForm {};
    Bruch(NormalForm, std::int64_t z, std::int64_t n) noexcept : nenner(n), zaehler(z) {
        assert(isNormal(zaehler, nenner));
    }
    static bool isNormal(std::int64_t zaehler, std::int64_t nenner) noexcept;
    // zaehler = a * b and nenner = c * d where both fit, neither is the most negative value and
    // nenner is not 0.
    static bool unreducedTerms(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d,
                               std::int64_t& zaehler, std::int64_t& nenner) noexcept {
        constexpr std::int64_t least = std::numeric_limits<std::int64_t>::min();
        int failures = __builtin_mul_overflow(a, b, &zaehler);
        failures += __builtin_mul_overflow(c, d, &nenner);
        failures += (zaehler == least) + (nenner == least) + (nenner == 0);
        return failures == 0;
    }
    // Takes the two integers as they are.
    struct AsStored {};
    Bruch(AsStored, std::int64_t z, std::int64_t n) noexcept : nenner(n), zaehler(z) {}

    // The arithmetic is inline down to the gcd, as it runs in the matrix algorithms' inner
    // loops; only intermediates beyond 64 bits leave for the out-of-line wide paths.

    // The normaliser: brings the magnitudes of zaehler / nenner (nenner != 0) to lowest terms,
    // zero to 0/1. Working on magnitudes keeps every step defined: the most negative value is
    // never negated or divided by -1.
    template <class UInt>
    static void toLowestTerms(UInt& zaehler, UInt& nenner) noexcept;
    // The normal form of +-zaehler / nenner given as magnitudes, nenner != 0; throws
    // `ueberlaufFehler` when it does not fit in 64 bits.
    template <class UInt>
    static Bruch fromMagnitudes(bool negative, UInt zaehler, UInt nenner);
    // The same for magnitudes already in lowest terms.
    template <class UInt>
    static Bruch fromLowestTerms(bool negative, UInt zaehler, UInt nenner);
    // Sign and magnitudes of zaehler / nenner (nenner != 0) in lowest terms, for the wide paths.
    struct LowestTerms;
    static LowestTerms lowestTerms(std::int64_t zaehler, std::int64_t nenner) noexcept;
    // The normal form of zaehler / nenner, signed integers as wide as UInt; a zero denominator
    // throws `konstruktorFehler`.
    template <class UInt = std::uint64_t, class Int>
    static Bruch reduced(Int zaehler, Int nenner);
    // |value| as an unsigned integer as wide as Int; defined for the most negative value too.
    // Without a branch: signs are as likely one way as the other.
    template <class UInt, class Int>
    static UInt magnitude(Int value) noexcept {
        static_assert(sizeof(UInt) == sizeof(Int));
        const UInt sign = UInt(0) - UInt(value < 0);
        return (UInt(value) ^ sign) - sign;
    }
    // Binary gcd of a and b, both non-zero and at most 2^63.
    static std::uint64_t gcd(std::uint64_t a, std::uint64_t b) noexcept;
    // value != 0 (std::countr_zero would test for 0 with a branch of its own).
    static int trailingZeros(std::uint64_t value) noexcept { return __builtin_ctzll(value); }
    // x + y, or x - y: over their equal denominator where that fits, else by crossSum.
    static Bruch sum(const Bruch& x, const Bruch& y, bool subtract);
    // Equal denominators, integers among them, are common in elimination: (p + r) / q has the
    // same normal form as (p*q + r*q) / (q*q), with smaller numbers and no products. True, with
    // the numerator p + r (or p - r), when the denominators are equal and it fits in 64 bits.
    static bool equalDenominatorSum(const Bruch& x, const Bruch& y, bool subtract,
                                    std::int64_t& zaehler) noexcept;
    // (p*s + r*q) / (q*s), or with a minus, in normal form by the gcd of the whole result.
    static Bruch crossSum(const Bruch& x, const Bruch& y, bool subtract);
    // (p*r) / (q*s).
    static Bruch product(std::int64_t p, std::int64_t q, std::int64_t r, std::int64_t s);
    // The same for operands whose 64-bit intermediates overflow: from their lowest terms, with
    // Knuth's cross gcds, and 128-bit terms.
    static Bruch wideSum(const Bruch& x, const Bruch& y, bool subtract);
    // minusProduct where its one reduction's terms do not fit in 64 bits.
    static Bruch wideMinusProduct(const Bruch& c, const Bruch& a, const Bruch& b);
    static Bruch wideProduct(std::int64_t p, std::int64_t q, std::int64_t r, std::int64_t s);

    // In normal form (see above) unless stored as given by assignment or stream input.
    // `toLowestTerms` establishes it for `kuerzen`, the constructors and the 64-bit arithmetic;
    // the wide paths keep it with Knuth's cross gcds from operands in lowest terms. The
    // normal-form constructor asserts it.
    std::int64_t nenner = 1;
    std::int64_t zaehler = 0;
};

// Stein's algorithm, each step without a branch: which of the two odd numbers is the larger is
// a coin toss, and a mispredicted jump costs as much as several steps. A step takes the smaller
// number and the magnitude of the difference, which has the trailing zeros of the difference.
// Only the loop's end depends on the numbers. The step's chain of dependent instructions is
// what a gcd costs: on x86-64 both differences are formed at once and the compare of the two
// numbers picks one (cmov), three cycles a step; compilers turn that selection into a jump,
// hence the few lines of assembly. Elsewhere the sign of the difference, both numbers being
// below 2^63 once odd, gives the magnitude arithmetically, five cycles a step.
inline std::uint64_t Bruch::gcd(std::uint64_t a, std::uint64_t b) noexcept {
    const int shift = trailingZeros(a | b);
    a >>= trailingZeros(a);
    b >>= trailingZeros(b);
    while (a != b) {
        std::uint64_t difference = b - a;
        const int zeros = trailingZeros(difference);
#if defined(__x86_64__)
        const std::uint64_t reverse = a - b;
        std::uint64_t smaller = a;
        __asm__(
            "cmp %[a], %[b]\n\t"
            "cmovb %[b], %[smaller]\n\t"
            "cmovb %[reverse], %[difference]"
            : [smaller] "+r"(smaller), [difference] "+r"(difference)
            : [a] "r"(a), [b] "r"(b), [reverse] "r"(reverse)
            : "cc");
        a = smaller;
        b = difference >> zeros;
#else
        const auto signedDifference = static_cast<std::int64_t>(difference);
        const std::int64_t sign = signedDifference >> 63;
        a += static_cast<std::uint64_t>(signedDifference & sign);
        b = static_cast<std::uint64_t>((signedDifference ^ sign) - sign) >> zeros;
#endif
    }
    return a << shift;
}

// Integers and zero need no gcd. These tests pay where such results are common (simple systems,
// the integer rows of a scaled one) and are well predicted where they are rare (fractions as
// typed: about 2 %). Not so a test for a gcd of 1 before dividing by it: on typed fractions it
// holds for a quarter of the results, at random, and its mispredictions would cost more than
// the divisions it saves.
template <class UInt>
inline void Bruch::toLowestTerms(UInt& zaehler, UInt& nenner) noexcept {
    if (nenner == 1) {
        return;
    }
    if (zaehler == 0) {
        nenner = 1;
        return;
    }
    const UInt divisor = gcd(zaehler, nenner);
    zaehler /= divisor;
    nenner /= divisor;
}

template <class UInt>
inline Bruch Bruch::fromMagnitudes(bool negative, UInt zaehler, UInt nenner) {
    toLowestTerms(zaehler, nenner);
    return fromLowestTerms(negative, zaehler, nenner);
}

template <class UInt>
inline Bruch Bruch::fromLowestTerms(bool negative, UInt zaehler, UInt nenner) {
    constexpr std::uint64_t most = std::numeric_limits<std::int64_t>::max();
    if ((nenner > most) | (zaehler > most + negative)) {
        throw ueberlaufFehler;
    }
    const std::uint64_t sign = std::uint64_t(0) - negative;
    const auto zaehler64 = static_cast<std::uint64_t>(zaehler);
    return Bruch(NormalForm{}, static_cast<std::int64_t>((zaehler64 ^ sign) - sign),
                 static_cast<std::int64_t>(nenner));
}

template <class UInt, class Int>
inline Bruch Bruch::reduced(Int zaehler, Int nenner) {
    if (nenner == 0) {
        throw konstruktorFehler;
    }
    return fromMagnitudes((zaehler < 0) != (nenner < 0), magnitude<UInt>(zaehler),
                          magnitude<UInt>(nenner));
}

inline bool Bruch::isNormal(std::int64_t zaehler, std::int64_t nenner) noexcept {
    if (nenner <= 0) {
        return false;
    }
    if (zaehler == 0) {
        return nenner == 1;
    }
    return gcd(magnitude<std::uint64_t>(zaehler), static_cast<std::uint64_t>(nenner)) == 1;
}

inline Bruch::Bruch(std::int64_t z, std::int64_t n) : nenner(n), zaehler(z) {
    kuerzen();
}

inline Bruch::Bruch(const Bruch& other) : nenner(other.nenner), zaehler(other.zaehler) {
    kuerzen();
}

inline Bruch Bruch::operator=(const Bruch& other) {
    nenner = other.nenner;
    zaehler = other.zaehler;
    return *this;
}

inline void Bruch::kuerzen() {
    const Bruch normal = reduced(zaehler, nenner);
    zaehler = normal.zaehler;
    nenner = normal.nenner;
}

inline void Bruch::ungekuerztSetzen(std::int64_t z, std::int64_t n) {
    if (n == 0) {
        throw konstruktorFehler;
    }
    zaehler = z;
    nenner = n;
}

inline bool Bruch::equalDenominatorSum(const Bruch& x, const Bruch& y, bool subtract,
                                       std::int64_t& zaehler) noexcept {
    return x.nenner == y.nenner &&
           !(subtract ? __builtin_sub_overflow(x.zaehler, y.zaehler, &zaehler)
                      : __builtin_add_overflow(x.zaehler, y.zaehler, &zaehler));
}

inline Bruch Bruch::sum(const Bruch& x, const Bruch& y, bool subtract) {
    std::int64_t zaehler;
    if (equalDenominatorSum(x, y, subtract, zaehler)) {
        return reduced(zaehler, x.nenner);
    }
    return crossSum(x, y, subtract);
}

inline Bruch Bruch::crossSum(const Bruch& x, const Bruch& y, bool subtract) {
    std::int64_t ps, rq, zaehler, nenner;
    if (!__builtin_mul_overflow(x.zaehler, y.nenner, &ps) &&
        !__builtin_mul_overflow(y.zaehler, x.nenner, &rq) &&
        !(subtract ? __builtin_sub_overflow(ps, rq, &zaehler)
                   : __builtin_add_overflow(ps, rq, &zaehler)) &&
        !__builtin_mul_overflow(x.nenner, y.nenner, &nenner)) {
        return reduced(zaehler, nenner);
    }
    return wideSum(x, y, subtract);
}

inline Bruch Bruch::product(std::int64_t p, std::int64_t q, std::int64_t r, std::int64_t s) {
    std::int64_t zaehler, nenner;
    if (!__builtin_mul_overflow(p, r, &zaehler) && !__builtin_mul_overflow(q, s, &nenner)) {
        return reduced(zaehler, nenner);
    }
    return wideProduct(p, q, r, s);
}

// With the product's parts p = a.zaehler * b.zaehler and q = a.nenner * b.nenner, c - a * b is
// (c.zaehler * q - c.nenner * p) / (c.nenner * q). Where all these fit in 64 bits, and p and q
// are not the most negative value, the product's normal form fits too (reducing only shrinks
// magnitudes below 2^63), so the product alone could not have failed, and reducing the whole
// gives the difference's normal form, refused exactly when it does not fit. For the values of
// an elimination that is nearly always so; otherwise the two operators do it.
inline Bruch Bruch::minusProduct(const Bruch& c, const Bruch& a, const Bruch& b) {
    constexpr std::int64_t least = std::numeric_limits<std::int64_t>::min();
    std::int64_t p, q, left, right, zaehler, nenner;
    // The failed tests counted rather than tested one by one: one branch, taken next to never.
    int overflows = __builtin_mul_overflow(a.zaehler, b.zaehler, &p);
    overflows += __builtin_mul_overflow(a.nenner, b.nenner, &q);
    overflows += (p == least) + (q == least);
    overflows += __builtin_mul_overflow(c.zaehler, q, &left);
    overflows += __builtin_mul_overflow(c.nenner, p, &right);
    overflows += __builtin_sub_overflow(left, right, &zaehler);
    overflows += __builtin_mul_overflow(c.nenner, q, &nenner);
    if (overflows == 0) {
        return fromMagnitudes((zaehler < 0) != (nenner < 0), magnitude<std::uint64_t>(zaehler),
                              magnitude<std::uint64_t>(nenner));
    }
    return wideMinusProduct(c, a, b);
}

inline Bruch& Bruch::operator+=(const Bruch& other) {
    const Bruch result = *this + other;
    zaehler = result.zaehler;
    nenner = result.nenner;
    return *this;
}

inline Bruch& Bruch::operator*=(const Bruch& other) {
    const Bruch result = *this * other;
    zaehler = result.zaehler;
    nenner = result.nenner;
    return *this;
}

inline Bruch Bruch::operator-() const {
    return product(zaehler, nenner, -1, 1);
}

}  // namespace zifferon
