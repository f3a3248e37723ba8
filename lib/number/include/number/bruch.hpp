#pragma once

#include <cstdint>
#include <iosfwd>
#include <utility>

namespace zifferon {

// An exact fraction of two signed 64-bit integers.
//
// Normal form: nenner > 0 and gcd(zaehler, nenner) == 1; zero is 0/1. Every fraction that a
// constructor, a copy or an arithmetic operation produces is in normal form; `kuerzen` is the
// one place that establishes it. Stream input and assignment store the two integers as they
// are, so a fraction typed as 2/4 stays 2/4 until it takes part in arithmetic or is copied.
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
    virtual ~Bruch() = default;

    // Brings the fraction to normal form in place.
    void kuerzen();
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

    friend Bruch operator+(const Bruch& x, const Bruch& y);
    friend Bruch operator-(const Bruch& x, const Bruch& y);
    friend Bruch operator*(const Bruch& x, const Bruch& y);
    // Throws `divisionDurchNullFehler` when the numerator of y is 0.
    friend Bruch operator/(const Bruch& x, const Bruch& y);

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
    struct NormalForm {};
    Bruch(NormalForm, std::int64_t zaehler, std::int64_t nenner)
        : nenner(nenner), zaehler(zaehler) {}
    friend class BruchBuilder;

    std::int64_t nenner = 1;
    std::int64_t zaehler = 0;
};

}  // namespace zifferon
