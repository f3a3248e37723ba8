// The element writer against the stream it stands in for: every text must be the one that
// `out << value` gives in the same format.
#include "zifferon/matrix/element_writer.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ios>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "german_numbers.hpp"

namespace zifferon {
namespace {

// A stream in the format under test.
struct Format {
    std::streamsize precision;
    std::ios_base::fmtflags flags;
    std::locale locale = std::locale::classic();
};

template <class T>
void expectStreamText(const std::vector<T>& values, Format format) {
    std::ostringstream expected;
    std::ostringstream actual;
    for (std::ostringstream* out : {&expected, &actual}) {
        out->precision(format.precision);
        out->flags(format.flags);
        out->imbue(format.locale);
    }
    ElementWriter writer(actual);
    for (const T& value : values) {
        expected << value << '\t';
        writer.put(value);
        writer.put('\t');
    }
    writer.flush();
    ASSERT_EQ(actual.str(), expected.str()) << "precision " << format.precision;
}

template <class F, class Bits>
std::vector<F> floatingValues(std::mt19937_64& engine) {
    using limits = std::numeric_limits<F>;
    std::vector<F> values = {0,
                             -F{0},
                             1,
                             -1,
                             F(0.1),
                             F(123456.5),
                             F(999999.5),
                             F(1e-5),
                             F(0.0001),
                             limits::infinity(),
                             -limits::infinity(),
                             limits::quiet_NaN(),
                             -limits::quiet_NaN(),
                             limits::max(),
                             limits::lowest(),
                             limits::min(),
                             limits::denorm_min(),
                             -limits::denorm_min(),
                             limits::epsilon()};
    for (int i = 0; i < 3000; ++i) {
        values.push_back(std::bit_cast<F>(static_cast<Bits>(engine())));
    }
    std::uniform_int_distribution<int> whole(-999, 999);
    for (int i = 0; i < 500; ++i) {
        values.push_back(static_cast<F>(whole(engine)) / 10);
    }
    return values;
}

const std::ios_base::fmtflags plainFlags = std::ios_base::skipws | std::ios_base::dec;

TEST(ElementWriterTest, WritesFloatingPointNumbersAsTheStreamInEveryPrecision) {
    std::mt19937_64 engine(7);
    const auto floats = floatingValues<float, std::uint32_t>(engine);
    const auto doubles = floatingValues<double, std::uint64_t>(engine);
    for (const std::streamsize precision : {6, 0, 1, 2, 8, 9, 16, 17, 18, 25, 40}) {
        expectStreamText(floats, {precision, plainFlags});
        expectStreamText(doubles, {precision, plainFlags});
    }
}

TEST(ElementWriterTest, WritesComplexNumbersAsTheComplexInserter) {
    std::mt19937_64 engine(11);
    const auto parts = floatingValues<double, std::uint64_t>(engine);
    std::vector<Complex> values;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        values.emplace_back(parts[i], parts[i + 1]);
    }
    expectStreamText(values, {6, plainFlags});
    expectStreamText(values, {16, plainFlags});
}

TEST(ElementWriterTest, WritesFractionsAsStoredLikeTheirInserter) {
    std::mt19937_64 engine(13);
    std::vector<std::string> typed = {"0/1",
                                      "0/-5",
                                      "3/1",
                                      "-3/1",
                                      "2/4",
                                      "1/-1",
                                      "5/-7",
                                      "-9223372036854775808/-1",
                                      "9223372036854775807/1",
                                      "-9223372036854775808/9223372036854775807"};
    std::uniform_int_distribution<std::int64_t> any(std::numeric_limits<std::int64_t>::min());
    for (int i = 0; i < 2000; ++i) {
        const std::int64_t nenner = any(engine);
        typed.push_back(std::to_string(any(engine) >> (i % 64)) + "/" +
                        std::to_string(nenner == 0 ? 1 : nenner >> (i % 61)));
    }
    std::vector<Bruch> values(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        std::istringstream(typed[i]) >> values[i];  // stored unreduced, as typed
    }
    expectStreamText(values, {6, plainFlags});
}

// Formats the writer does not produce itself must still come out as the stream's.
TEST(ElementWriterTest, LeavesOtherFormatsToTheStream) {
    const std::vector<double> doubles = {0,        -0.0,  1.5,
                                         -2.25e-7, 1e300, std::numeric_limits<double>::quiet_NaN()};
    const std::vector<Bruch> fractions = {Bruch(1, 2), Bruch(-3), Bruch(255, 16)};
    for (const auto flags :
         {std::ios_base::fixed, std::ios_base::scientific, std::ios_base::showpos,
          std::ios_base::uppercase, std::ios_base::showpoint, std::ios_base::hex}) {
        expectStreamText(doubles, {6, plainFlags | flags});
        expectStreamText(fractions, {6, plainFlags | flags});
    }
    expectStreamText(doubles, {-1, plainFlags});
    expectStreamText(doubles, {60, plainFlags});
    const std::vector<Bruch> large = {Bruch(1234567, 1000), Bruch(-1000)};
    expectStreamText(doubles, {6, plainFlags, testing::germanNumbers()});
    expectStreamText(large, {6, plainFlags, testing::germanNumbers()});
}

}  // namespace
}  // namespace zifferon
