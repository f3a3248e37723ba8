#include "zifferon/number/bruch.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <numeric>
#include <random>
#include <sstream>
#include <string>

namespace zifferon {
namespace {

constexpr std::int64_t maxValue = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t minValue = std::numeric_limits<std::int64_t>::min();

std::string text(const Bruch& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// Reads a fraction from text as typed, without normal form.
Bruch typed(const std::string& input) {
    std::istringstream in(input);
    Bruch value;
    in >> value;
    return value;
}

// The text a fraction operation throws, or "" when it throws nothing.
template <class Operation>
std::string thrownText(Operation operation) {
    try {
        operation();
    } catch (const char* message) {
        return message;
    }
    return "";
}

void expectParts(const Bruch& value, std::int64_t zaehler, std::int64_t nenner) {
    EXPECT_EQ(value.getZaehler(), zaehler);
    EXPECT_EQ(value.getNenner(), nenner);
}

TEST(BruchNormalForm, ConstructorReducesAndMovesTheSignToTheNumerator) {
    expectParts(Bruch(), 0, 1);
    expectParts(Bruch(4, 6), 2, 3);
    expectParts(Bruch(-4, 6), -2, 3);
    expectParts(Bruch(4, -6), -2, 3);
    expectParts(Bruch(-6, -3), 2, 1);
    expectParts(Bruch(0, -5), 0, 1);
    expectParts(Bruch(7), 7, 1);
}

TEST(BruchNormalForm, ZeroDenominatorIsAConstructorError) {
    EXPECT_EQ(thrownText([] { Bruch(1, 0); }), "Konstruktorfehler (Nenner darf nicht 0 sein.)");
    EXPECT_EQ(thrownText([] { Bruch(0, 0); }), "Konstruktorfehler (Nenner darf nicht 0 sein.)");
}

TEST(BruchNormalForm, ExtremeValuesReduceWithoutOverflow) {
    expectParts(Bruch(minValue, 2), minValue / 2, 1);
    expectParts(Bruch(minValue, minValue), 1, 1);
    expectParts(Bruch(minValue, 1), minValue, 1);
    expectParts(Bruch(maxValue, -maxValue), -1, 1);
    expectParts(Bruch(minValue, 4), minValue / 4, 1);
}

TEST(BruchNormalForm, UnrepresentableNormalFormIsAnOverflow) {
    // 2^63 fits neither as numerator nor as denominator.
    EXPECT_EQ(thrownText([] { Bruch(minValue, -1); }),
              "mathematischer Fehler -> Ueberlauf (Bruchzahl)");
    EXPECT_EQ(thrownText([] { Bruch(1, minValue); }),
              "mathematischer Fehler -> Ueberlauf (Bruchzahl)");
}

TEST(BruchNormalForm, KuerzenReducesATypedFractionInPlace) {
    Bruch value = typed("12/-18");
    expectParts(value, 12, -18);
    value.kuerzen();
    expectParts(value, -2, 3);
}

TEST(BruchNormalForm, UngekuerztSetzenStoresAsTypedAndRefusesDenominatorZero) {
    Bruch value(5);
    value.ungekuerztSetzen(-6, -4);
    expectParts(value, -6, -4);
    EXPECT_EQ(thrownText([&] { value.ungekuerztSetzen(1, 0); }),
              "Konstruktorfehler (Nenner darf nicht 0 sein.)");
    expectParts(value, -6, -4);
}

TEST(BruchNormalForm, GgtFollowsEuclidOnSignedValues) {
    EXPECT_EQ(Bruch::ggt(12, 18), 6);
    EXPECT_EQ(Bruch::ggt(-12, 18), 6);
    EXPECT_EQ(Bruch::ggt(12, -18), -6);  // the sign is left for kuerzen to correct
    EXPECT_EQ(Bruch::ggt(7, 5), 1);
    EXPECT_EQ(Bruch::ggt(5, 0), 5);
    EXPECT_EQ(Bruch::ggt(minValue, -1), -1);
    EXPECT_EQ(Bruch::ggt(minValue, minValue), minValue);
}

TEST(BruchCopy, CopyIsInNormalFormAssignmentKeepsTheTypedForm) {
    const Bruch source = typed("2/4");
    const Bruch copy(source);
    expectParts(copy, 1, 2);

    Bruch target(5);
    const Bruch result = (target = source);
    expectParts(target, 2, 4);
    expectParts(result, 1, 2);
}

TEST(BruchArithmetic, FourOperationsGiveNormalForms) {
    expectParts(Bruch(1, 2) + Bruch(1, 3), 5, 6);
    expectParts(Bruch(1, 2) - Bruch(1, 2), 0, 1);
    expectParts(Bruch(1, 2) - Bruch(1, 3), 1, 6);
    expectParts(Bruch(2, 3) * Bruch(3, 4), 1, 2);
    expectParts(Bruch(1, 3) / Bruch(-2), -1, 6);
    expectParts(Bruch(-3, 4) / Bruch(-3, 8), 2, 1);
    expectParts(typed("2/4") + typed("0/1"), 1, 2);
    expectParts(typed("6/3") * Bruch(1), 2, 1);
    expectParts(typed("1/-2") + typed("1/-2"), -1, 1);
}

TEST(BruchArithmetic, CompoundOperatorsAndNegation) {
    Bruch value(1, 2);
    value += Bruch(1, 3);
    expectParts(value, 5, 6);
    value *= Bruch(3, 5);
    expectParts(value, 1, 2);
    expectParts(-value, -1, 2);
    expectParts(-Bruch(), 0, 1);
    expectParts(-typed("3/-6"), 1, 2);
}

TEST(BruchArithmetic, DivisionByZeroLeavesBothOperands) {
    const Bruch x(1, 2);
    const Bruch zero = typed("0/7");
    EXPECT_EQ(thrownText([&] { x / zero; }),
              "mathematischer Fehler -> Division durch 0 (Bruchzahl)");
    expectParts(x, 1, 2);
    expectParts(zero, 0, 7);
}

TEST(BruchArithmetic, ExactWhenOnlyTheIntermediatesLeave64Bits) {
    const std::int64_t twoTo62 = std::int64_t{1} << 62;
    expectParts(Bruch(twoTo62, 3) * Bruch(3, twoTo62 / 2), 2, 1);
    expectParts(Bruch(1, twoTo62) + Bruch(1, twoTo62), 1, twoTo62 / 2);
    expectParts(Bruch(maxValue, 2) + Bruch(maxValue, 2), maxValue, 1);
    expectParts(Bruch(minValue) - Bruch(0), minValue, 1);
    expectParts(Bruch(minValue) / Bruch(minValue), 1, 1);
    // The 128-bit terms of the sum, 2^81 / (3 * 2^80), have their low 64 bits zero: their
    // common factor of 2 lies beyond them.
    const std::int64_t twoTo40 = std::int64_t{1} << 40;
    expectParts(Bruch(1, twoTo40) + Bruch(2 * twoTo40 - 3, 3 * twoTo40), 2, 3);
    // Typed extremes, unreduced: every product of the sum is 2^126.
    const Bruch one = typed("-9223372036854775808/-9223372036854775808");
    expectParts(one + one, 2, 1);
    expectParts(one - one, 0, 1);
}

TEST(BruchArithmetic, ResultsBeyond64BitsAreOverflowErrors) {
    const std::string overflow = "mathematischer Fehler -> Ueberlauf (Bruchzahl)";
    EXPECT_EQ(thrownText([] { Bruch(maxValue) + Bruch(1); }), overflow);
    EXPECT_EQ(thrownText([] { Bruch(minValue) - Bruch(1); }), overflow);
    EXPECT_EQ(thrownText([] { Bruch(minValue) * Bruch(-1); }), overflow);
    EXPECT_EQ(thrownText([] { -Bruch(minValue); }), overflow);
    EXPECT_EQ(thrownText([] { Bruch(minValue) / Bruch(-1); }), overflow);
    EXPECT_EQ(thrownText([] { Bruch(1, maxValue) * Bruch(1, 2); }), overflow);
    EXPECT_EQ(thrownText([] { Bruch(1, maxValue) + Bruch(1, maxValue - 1); }), overflow);
}

// The elimination step c - a * b reduces once, from 64-bit terms where they fit; the unreduced
// product and quotient do not reduce at all where their terms fit. All must still fail where
// the operator fails: here a * b = a / b = 2^63, though their 64-bit terms fit, and
// c - a * b = -(2^63 - 5) fits too.
TEST(BruchArithmetic, ShortcutsFailWhereTheProductFails) {
    const std::string overflow = "mathematischer Fehler -> Ueberlauf (Bruchzahl)";
    EXPECT_EQ(thrownText([] { Bruch::minusProduct(Bruch(5), Bruch(minValue), typed("1/-1")); }),
              overflow);
    EXPECT_EQ(thrownText([] { Bruch(5) - Bruch(minValue) * typed("1/-1"); }), overflow);
    EXPECT_EQ(thrownText([] { Bruch::ungekuerztesProdukt(Bruch(minValue), typed("1/-1")); }),
              overflow);
    EXPECT_EQ(thrownText([] { Bruch::ungekuerzterQuotient(Bruch(minValue), typed("-1/1")); }),
              overflow);
    EXPECT_EQ(thrownText([] { Bruch::ungekuerzterQuotient(Bruch(1, 2), typed("0/7")); }),
              "mathematischer Fehler -> Division durch 0 (Bruchzahl)");
    expectParts(Bruch::minusProduct(Bruch(-5), Bruch(minValue), Bruch(1)), maxValue - 4, 1);
    expectParts(Bruch::minusProduct(typed("2/4"), typed("3/6"), typed("-4/-2")), -1, 2);
    expectParts(Bruch::ungekuerztesProdukt(typed("2/4"), typed("3/-6")), 6, -24);
    expectParts(Bruch::ungekuerzterQuotient(typed("2/4"), typed("3/-6")), -12, 12);
    expectParts(Bruch::ungekuerztesProdukt(Bruch(minValue), Bruch(-1, 2)), maxValue / 2 + 1, 1);
}

TEST(BruchArithmetic, FailedCompoundOperationLeavesTheTarget) {
    Bruch value(maxValue);
    EXPECT_FALSE(thrownText([&] { value += Bruch(1); }).empty());
    expectParts(value, maxValue, 1);
    EXPECT_FALSE(thrownText([&] { value *= Bruch(2); }).empty());
    expectParts(value, maxValue, 1);
}

TEST(BruchComparison, ValuesAreComparedExactly) {
    EXPECT_TRUE(Bruch(1, 2) == typed("2/4"));
    EXPECT_TRUE(typed("1/-2") == Bruch(-1, 2));
    EXPECT_FALSE(Bruch(1, 3) == Bruch(1, 2));
    EXPECT_TRUE(Bruch(1, 3) != Bruch(1, 2));
    // Equal as doubles, different as fractions.
    const std::int64_t twoTo60 = std::int64_t{1} << 60;
    EXPECT_FALSE(Bruch(twoTo60 + 1) == Bruch(twoTo60));
    EXPECT_TRUE(typed("0/-5") == Bruch());
}

TEST(BruchConversion, ToDoubleDividesTheStoredParts) {
    EXPECT_EQ(static_cast<double>(Bruch(1, 4)), 0.25);
    EXPECT_EQ(static_cast<double>(typed("3/-4")), -0.75);
}

TEST(BruchOutput, PrintsZeroIntegersAndFractionsAsStored) {
    EXPECT_EQ(text(Bruch()), "0");
    EXPECT_EQ(text(typed("0/-5")), "0");
    EXPECT_EQ(text(Bruch(6, 3)), "2");
    EXPECT_EQ(text(Bruch(-3, 4)), "-3/4");
    EXPECT_EQ(text(typed("2/4")), "2/4");
    EXPECT_EQ(text(typed("1/-2")), "1/-2");
    EXPECT_EQ(text(Bruch(minValue)), "-9223372036854775808");
}

TEST(BruchInput, ReadsNumeratorSlashDenominatorAcrossBlanksAndLines) {
    expectParts(typed("3/4"), 3, 4);
    expectParts(typed(" -3/4"), -3, 4);
    expectParts(typed("3 / 4"), 3, 4);
    expectParts(typed("3\n\n  /4"), 3, 4);
    expectParts(typed("+3/-4"), 3, -4);

    std::istringstream in("1/2 3/4\n5/6");
    Bruch a, b, c;
    in >> a >> b >> c;
    expectParts(a, 1, 2);
    expectParts(b, 3, 4);
    expectParts(c, 5, 6);
}

TEST(BruchInput, MissingSlashIsAnInputErrorAfterTheNumeratorIsStored) {
    for (const char* input : {"3 x", "3 4", "3", "3\n"}) {
        Bruch value(1, 7);
        std::istringstream in(input);
        EXPECT_EQ(thrownText([&] { in >> value; }), "Eingabefehler (Bruchzahl)") << input;
        expectParts(value, 3, 7);
    }
}

TEST(BruchInput, TextThatIsNoNumberIsAnInputError) {
    for (const char* input : {"", "x/4", "/4", "99999999999999999999/1"}) {
        Bruch value(1, 7);
        std::istringstream in(input);
        EXPECT_EQ(thrownText([&] { in >> value; }), "Eingabefehler (Bruchzahl)") << input;
        expectParts(value, 1, 7);
    }
    for (const char* input : {"2/x", "2/", "2/99999999999999999999"}) {
        Bruch value(1, 7);
        std::istringstream in(input);
        EXPECT_EQ(thrownText([&] { in >> value; }), "Eingabefehler (Bruchzahl)") << input;
        expectParts(value, 2, 7);
    }
}

TEST(BruchInput, ZeroDenominatorKeepsThePreviousDenominator) {
    Bruch value(1, 7);
    std::istringstream in("5/0");
    EXPECT_EQ(thrownText([&] { in >> value; }), "Eingabefehler (Nenner darf nicht 0 sein.)");
    expectParts(value, 5, 7);
}

// An independent exact reference: the same operation on 128-bit integers, reduced with
// std::gcd. Operands up to 2^40 keep every reference intermediate far inside 128 bits and
// make results beyond 64 bits common.
struct Reference {
    __extension__ typedef __int128 Wide;
    Wide zaehler;
    Wide nenner;

    static Reference of(const Bruch& value) { return {value.getZaehler(), value.getNenner()}; }

    static Wide absolute(Wide v) { return v < 0 ? -v : v; }

    static Reference normal(Wide z, Wide n) {
        if (n < 0) {
            z = -z;
            n = -n;
        }
        Wide a = absolute(z), b = n;
        while (b != 0) {
            const Wide r = a % b;
            a = b;
            b = r;
        }
        return {z / a, n / a};
    }

    bool fits() const {
        return zaehler >= std::numeric_limits<std::int64_t>::min() &&
               zaehler <= std::numeric_limits<std::int64_t>::max() &&
               nenner <= std::numeric_limits<std::int64_t>::max();
    }
};

template <class Operation>
void expectMatchesReference(const Bruch& result, bool threw, const Reference& expected,
                            Operation describe) {
    if (expected.fits()) {
        ASSERT_FALSE(threw) << describe();
        EXPECT_EQ(result.getZaehler(), static_cast<std::int64_t>(expected.zaehler)) << describe();
        EXPECT_EQ(result.getNenner(), static_cast<std::int64_t>(expected.nenner)) << describe();
    } else {
        EXPECT_TRUE(threw) << describe();
    }
}

// The four operations, the elimination step x - x * y and the comparison of x and y against the
// reference.
void expectAllMatchReference(const Bruch& x, const Bruch& y) {
    const Reference a = Reference::of(x), b = Reference::of(y);
    const auto describe = [&] { return text(x) + " and " + text(y); };
    const auto check = [&](auto operation, Reference expected) {
        Bruch result;
        bool threw = false;
        try {
            result = operation();
        } catch (const char*) {
            threw = true;
        }
        expectMatchesReference(result, threw, expected, describe);
    };
    check([&] { return x + y; },
          Reference::normal(a.zaehler * b.nenner + b.zaehler * a.nenner, a.nenner * b.nenner));
    check([&] { return x - y; },
          Reference::normal(a.zaehler * b.nenner - b.zaehler * a.nenner, a.nenner * b.nenner));
    check([&] { return x * y; }, Reference::normal(a.zaehler * b.zaehler, a.nenner * b.nenner));
    // The step fails where the product alone does, even when the difference would fit.
    const Reference product = Reference::normal(a.zaehler * b.zaehler, a.nenner * b.nenner);
    check([&] { return Bruch::minusProduct(x, x, y); },
          product.fits()
              ? Reference::normal(a.zaehler * product.nenner - product.zaehler * a.nenner,
                                  a.nenner * product.nenner)
              : product);
    if (b.zaehler != 0) {
        check([&] { return x / y; }, Reference::normal(a.zaehler * b.nenner, a.nenner * b.zaehler));
    }
    EXPECT_EQ(x == y, a.zaehler * b.nenner == b.zaehler * a.nenner) << describe();
}

// 20000 pairs of operands with parts up to 100, 2^20, 2^33 and 2^40 in turn, each fraction made
// by make(zaehler, nenner, random).
template <class Make>
void expectRandomPairsMatchReference(std::uint64_t seed, Make make) {
    std::mt19937_64 random(seed);
    const std::int64_t limits[] = {100, std::int64_t{1} << 20, std::int64_t{1} << 33,
                                   std::int64_t{1} << 40};
    for (int round = 0; round < 20000; ++round) {
        const std::int64_t limit = limits[round % 4];
        std::uniform_int_distribution<std::int64_t> part(-limit, limit);
        std::int64_t p = part(random), q = part(random), r = part(random), s = part(random);
        if (q == 0 || s == 0) {
            continue;
        }
        const Bruch x = make(p, q, random);
        const Bruch y = make(r, s, random);
        expectAllMatchReference(x, y);
    }
}

TEST(BruchArithmetic, AgreesWithAnExactReferenceOnRandomOperands) {
    expectRandomPairsMatchReference(
        20261207, [](std::int64_t zaehler, std::int64_t nenner, std::mt19937_64&) {
            return Bruch(zaehler, nenner);
        });
}

// Typed operands keep common factors and negative denominators, which no shortcut of the
// arithmetic may take for a normal form.
TEST(BruchArithmetic, AgreesWithAnExactReferenceOnTypedUnreducedOperands) {
    std::uniform_int_distribution<std::int64_t> factor(-(1 << 20), 1 << 20);
    expectRandomPairsMatchReference(
        20261208, [&](std::int64_t zaehler, std::int64_t nenner, std::mt19937_64& random) {
            std::int64_t k = factor(random);
            k = k == 0 ? 1 : k;
            return typed(std::to_string(zaehler * k) + "/" + std::to_string(nenner * k));
        });
}

}  // namespace
}  // namespace zifferon
