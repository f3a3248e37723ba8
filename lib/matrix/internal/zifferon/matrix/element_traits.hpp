#pragma once

#include <concepts>
#include <utility>

#include "zifferon/matrix/element_types.hpp"

namespace zifferon {

// What the matrix algorithms need to know about an element type beyond its operators: the exact
// zero test, the value one, the product, and the elimination step c - a * b (the same product
// and difference; a type may know a cheaper way to the same result). Otherwise sums,
// differences, quotients and negation are the type's own operators (negation by unary minus, so
// that -0.0 appears for a negated floating-point zero).
//
// There is no tolerance anywhere: a value is zero only when it is exactly zero. `exact` says
// whether the arithmetic is: then x - x * (y / x) is exactly zero and 0 * y is 0, which the
// eliminations need not compute.
template <class T>
struct ElementTraits;

// Puts a value just computed into its place. An exchange rather than an assignment, as the
// value is not needed afterwards: assigning a Bruch also builds the normalised copy that its
// assignment returns, which costs a gcd; for the other types both compile to one store.
template <class T>
void storeResult(T& target, T value) noexcept {
    using std::swap;
    swap(target, value);
}

// Beyond that, for values an algorithm only computes with further or tests for zero, a product
// and a quotient that a type may leave unreduced, and a working copy that it may leave as
// stored: the same values and errors as product, the quotient operator and a copy.

// target = target - a * b: the one element step of every elimination, of a row update and of
// the back substitution alike. Declared inline, so that the row loops take it in: a fraction's
// step as a call of its own costs the fraction solver a sixth of its time.
template <class T>
inline void subtractProduct(T& target, const T& a, const T& b) {
    storeResult(target, ElementTraits<T>::minusProduct(target, a, b));
}

template <std::floating_point T>
struct ElementTraits<T> {
    static constexpr bool exact = false;
    // -0.0 is zero; a NaN is not.
    static bool isZero(T value) { return value == T(0); }
    static T one() { return T(1); }
    // Single-precision operands give a single-precision product: nothing is widened.
    static T product(T left, T right) { return left * right; }
    static T unreducedProduct(T left, T right) { return product(left, right); }
    static T unreducedQuotient(T left, T right) { return left / right; }
    static T minusProduct(T c, T a, T b) { return c - product(a, b); }
    static T workingCopy(T value) { return value; }
};

template <>
struct ElementTraits<Complex> {
    static constexpr bool exact = false;
    static bool isZero(const Complex& value) { return value.real() == 0.0 && value.imag() == 0.0; }
    static Complex one() { return Complex(1.0, 0.0); }
    // (a+bi)(c+di) = (ac - bd) + (ad + bc)i, written out: the library's operator* also repairs
    // infinite results, and the matrix results must not depend on that.
    static Complex product(const Complex& left, const Complex& right) {
        const double a = left.real();
        const double b = left.imag();
        const double c = right.real();
        const double d = right.imag();
        return Complex(a * c - b * d, a * d + b * c);
    }
    static Complex unreducedProduct(const Complex& left, const Complex& right) {
        return product(left, right);
    }
    static Complex unreducedQuotient(const Complex& left, const Complex& right) {
        return left / right;
    }
    static Complex minusProduct(const Complex& c, const Complex& a, const Complex& b) {
        return c - product(a, b);
    }
    static Complex workingCopy(const Complex& value) { return value; }
};

template <>
struct ElementTraits<Bruch> {
    static constexpr bool exact = true;
    // Equivalent to comparing the value with 0/1: the denominator is never 0.
    static bool isZero(const Bruch& value) { return value.getZaehler() == 0; }
    static Bruch one() { return Bruch(1); }
    static Bruch product(const Bruch& left, const Bruch& right) { return left * right; }
    static Bruch unreducedProduct(const Bruch& left, const Bruch& right) {
        return Bruch::ungekuerztesProdukt(left, right);
    }
    static Bruch unreducedQuotient(const Bruch& left, const Bruch& right) {
        return Bruch::ungekuerzterQuotient(left, right);
    }
    static Bruch minusProduct(const Bruch& c, const Bruch& a, const Bruch& b) {
        return Bruch::minusProduct(c, a, b);
    }
    // An elimination's copy of a value: the fraction as stored, as its arithmetic reduces
    // anyway (see Bruch::ungekuerzteKopie).
    static Bruch workingCopy(const Bruch& value) { return Bruch::ungekuerzteKopie(value); }
};

}  // namespace zifferon
