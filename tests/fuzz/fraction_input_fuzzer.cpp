// Fraction text input, and the arithmetic on what it reads: every fraction read has a non-zero
// denominator, every failure is one of the input texts, and every result is exact or the
// overflow error, checked against GMP; so are the elimination step and the unreduced product
// and quotient that the matrix algorithms use.
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "exact.hpp"
#include "fuzz_support.hpp"
#include "zifferon/number/bruch.hpp"

namespace zifferon::fuzzing {
namespace {

bool isInputError(const char* text) {
    return std::strcmp(text, Bruch::eingabeFehler) == 0 ||
           std::strcmp(text, Bruch::eingabeNennerFehler) == 0;
}

std::string context(const Bruch& x, const char* operation, const Bruch& y) {
    return describe(x) + " " + operation + " " + describe(y);
}

template <class Operation>
void checkOperation(const char* name, const Bruch& x, const Bruch& y, Operation operation,
                    const mpq_class& expected) {
    try {
        const Bruch result = operation();
        if (!isNormalFormOf(result, expected)) {
            fail(context(x, name, y) + " gave " + describe(result));
        }
    } catch (const char* text) {
        if (std::strcmp(text, Bruch::ueberlaufFehler) != 0 || fits(expected)) {
            fail(context(x, name, y) + " threw " + text);
        }
    }
}

// An operation that may leave its result unreduced: the exact value of the operator, and the
// overflow error exactly where that value's normal form does not fit.
template <class Operation>
void checkUnreduced(const char* name, const Bruch& x, const Bruch& y, Operation operation,
                    const mpq_class& expected) {
    try {
        const Bruch result = operation();
        if (!fits(expected) || result.getNenner() == 0 || exactValue(result) != expected) {
            fail(context(x, name, y) + " gave " + describe(result));
        }
    } catch (const char* text) {
        if (std::strcmp(text, Bruch::ueberlaufFehler) != 0 || fits(expected)) {
            fail(context(x, name, y) + " threw " + text);
        }
    }
}

void checkArithmetic(const Bruch& x, const Bruch& y) {
    const mpq_class a = exactValue(x);
    const mpq_class b = exactValue(y);
    checkOperation(
        "+", x, y, [&] { return x + y; }, a + b);
    checkOperation(
        "-", x, y, [&] { return x - y; }, a - b);
    checkOperation(
        "*", x, y, [&] { return x * y; }, a * b);
    if (y.getZaehler() != 0) {
        checkOperation(
            "/", x, y, [&] { return x / y; }, a / b);
    }
    // The elimination step x - x * y fails where its product fails, too.
    const mpq_class product = a * b;
    checkOperation(
        "- x *", x, y, [&] { return Bruch::minusProduct(x, x, y); },
        fits(product) ? mpq_class(a - product) : product);
    checkUnreduced(
        "* (unreduced)", x, y, [&] { return Bruch::ungekuerztesProdukt(x, y); }, product);
    if (y.getZaehler() != 0) {
        checkUnreduced(
            "/ (unreduced)", x, y, [&] { return Bruch::ungekuerzterQuotient(x, y); }, a / b);
    }
    if ((x == y) != (a == b)) {
        fail("comparison of " + describe(x) + " and " + describe(y));
    }
    // A failing compound operation leaves its target as it was. The target is made by stream
    // input, not by copying, so that it keeps the unreduced form.
    Bruch target;
    std::istringstream(describe(x)) >> target;
    try {
        target += y;
        if (!isNormalFormOf(target, a + b)) {
            fail(context(x, "+=", y) + " gave " + describe(target));
        }
    } catch (const char*) {
        if (target.getZaehler() != x.getZaehler() || target.getNenner() != x.getNenner()) {
            fail(context(x, "+=", y) + " changed its target");
        }
    }
}

}  // namespace
}  // namespace zifferon::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zifferon;
    std::istringstream in{std::string(fuzzing::textOf(data, size))};
    std::vector<Bruch> values;
    values.reserve(32);  // no reallocation: it would copy, and so reduce, the typed values
    for (int i = 0; i < 32 && in; ++i) {
        Bruch value(3, 7);
        try {
            in >> value;
        } catch (const char* text) {
            if (!fuzzing::isInputError(text)) {
                fuzzing::fail(std::string("input threw ") + text);
            }
        }
        if (value.getNenner() == 0) {
            fuzzing::fail("a zero denominator was stored");
        }
        std::ostringstream shown;
        shown << value;
        // Exchanged, not copied: a copy is reduced, and a typed value like 1/-2^63 has no
        // reduced form.
        values.emplace_back();
        swap(values.back(), value);
        in.clear(in.rdstate() & std::ios::eofbit);
    }
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        fuzzing::checkArithmetic(values[i], values[i + 1]);
    }
    return 0;
}
