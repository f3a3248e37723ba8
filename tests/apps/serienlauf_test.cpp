#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <numeric>
#include <ostream>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "element_types.hpp"
#include "matrix_builders.hpp"
#include "random_systems.hpp"
#include "serienlauf.hpp"
#include "series_fakes.hpp"
#include "table_format.hpp"
#include "table_validator.hpp"

namespace zifferon {
namespace {

using serienlauf::Deviation;
using serienlauf::isAccepted;
using serienlauf::meanDeviation;
using serienlauf::RandomSystems;
using serienlauf::Serienlauf;
using testing::FakeClock;
using testing::FakeSleeper;
using testing::ScriptedRandom;

// 6.12.2026 00:00 on the fake clock, and a cycle starting at 20:00 that day.
constexpr std::int64_t midnight = 1796515200;
constexpr std::int64_t evening = midnight + 20 * 3600;
constexpr std::uint32_t seed0 = static_cast<std::uint32_t>(evening);

// A mass test of `lastRow` rows on a fake clock with draws scripted per seed, writing into a
// string, and the random systems it draws from on their own.
template <class T>
struct Bench {
    explicit Bench(std::map<std::uint32_t, std::vector<int>> scripts, std::uint32_t lastRow = 1,
                   std::int64_t start = evening)
        : clock(start, midnight, {6, 12, 2026}),
          sleeper(clock),
          random(std::move(scripts)),
          series(out, clock, sleeper, random, lastRow),
          systems(clock, sleeper, random) {}

    // What the run wrote after its header line.
    std::string rows() const {
        const std::string text = out.str();
        return text.substr(text.find('\n') + 1);
    }

    std::ostringstream out;
    FakeClock clock;
    FakeSleeper sleeper;
    ScriptedRandom random;
    Serienlauf<T> series;
    RandomSystems<T> systems;
};

template <class T>
class SeriesTypedTest : public ::testing::Test {};
TYPED_TEST_SUITE(SeriesTypedTest, testing::ElementTypes);

TYPED_TEST(SeriesTypedTest, HeaderHasTheLatinOneByteAndSetsThePrecision) {
    Bench<TypeParam> bench({}, 0);
    bench.series.run();
    EXPECT_EQ(bench.out.str(),
              "lfd.Nr. ! Koeffizientenmatrix ! absolute Glieder ! L\xF6sung ! Probe ! mittlere "
              "Abweichung / % ! Version ! Datum\n");
    EXPECT_EQ(bench.out.precision(), (std::is_same_v<TypeParam, float> ? 8 : 16));
}

TYPED_TEST(SeriesTypedTest, FillReseedsFromTheTimeTruncatedTo32BitsAndWaitsASecond) {
    // 2^32 + 7 seconds seeds with 7.
    Bench<TypeParam> bench({{7, std::vector<int>(12, 1)}}, 1, (std::int64_t{1} << 32) + 7);
    Matrix<TypeParam> m(1, 2);
    bench.systems.fill(m);
    EXPECT_EQ(bench.random.seeds, std::vector<std::uint32_t>{7});
    EXPECT_EQ(bench.sleeper.waits, std::vector<unsigned>{1000});
    EXPECT_EQ(bench.clock.now, (std::int64_t{1} << 32) + 8);
}

TEST(SeriesDraws, RealEntriesTakeExponentValueAndSignInThatOrder) {
    // 7 % 5 = 2: modulus 100, 1234 % 100 = 34, 3 odd: 34. 5 % 5 = 0: modulus 1, so 0; 8 even:
    // -0. 4: modulus 10000, 123456 % 10000 = 3456, 0 even: -3456.
    const std::vector<int> draws{7, 1234, 3, 5, 999, 8, 4, 123456, 0};
    Bench<double> bench({{seed0, draws}});
    Matrix<double> m(1, 3);
    bench.systems.fill(m);
    EXPECT_EQ(m.element(1, 1), 34.0);
    EXPECT_EQ(m.element(1, 2), 0.0);
    EXPECT_TRUE(std::signbit(m.element(1, 2)));
    EXPECT_EQ(m.element(1, 3), -3456.0);
    EXPECT_TRUE(bench.random.drawnOut());

    Bench<float> floats({{seed0, draws}});
    Matrix<float> f(3, 1);  // column by column is row by row here
    floats.systems.fill(f);
    EXPECT_EQ(f.element(1, 1), 34.0f);
    EXPECT_TRUE(std::signbit(f.element(2, 1)));
    EXPECT_EQ(f.element(3, 1), -3456.0f);
}

TEST(SeriesDraws, ComplexEntriesDrawTheRealPartFirst) {
    // Real: 1 -> modulus 10, 27 % 10 = 7, 2 even: -7. Imaginary: 4 -> 10000, 12345 -> 2345, odd.
    // Then (0, -0): modulus 1 twice, signs odd and even.
    Bench<Complex> bench({{seed0, {1, 27, 2, 4, 12345, 1, 0, 5, 1, 10, 5, 0}}});
    Matrix<Complex> m(2, 1);
    bench.systems.fill(m);
    EXPECT_EQ(m.element(1, 1), Complex(-7, 2345));
    EXPECT_EQ(m.element(2, 1), Complex(0, 0));
    EXPECT_FALSE(std::signbit(m.element(2, 1).real()));
    EXPECT_TRUE(std::signbit(m.element(2, 1).imag()));
    EXPECT_TRUE(bench.random.drawnOut());
}

TEST(SeriesDraws, FractionsRedrawTheWholeTripleForDenominatorZeroAndAreReduced) {
    // (50, even, 0) is discarded; 30/45 odd -> 2/3; 6/4 even -> -3/2; 0/7 -> 0/1.
    Bench<Bruch> bench({{seed0, {150, 4, 200, 30, 7, 45, 106, 10, 4, 0, 3, 7}}});
    Matrix<Bruch> m(1, 3);
    bench.systems.fill(m);
    EXPECT_EQ(m.element(1, 1).getZaehler(), 2);
    EXPECT_EQ(m.element(1, 1).getNenner(), 3);
    EXPECT_EQ(m.element(1, 2).getZaehler(), -3);
    EXPECT_EQ(m.element(1, 2).getNenner(), 2);
    EXPECT_EQ(m.element(1, 3).getZaehler(), 0);
    EXPECT_EQ(m.element(1, 3).getNenner(), 1);
    EXPECT_TRUE(bench.random.drawnOut());
}

// A matrix as the table writes it in a cell.
template <class T>
std::string cellOf(const Matrix<T>& matrix) {
    std::ostringstream out;
    out.precision(serienlauf::tablePrecision<T>);
    serienlauf::writeTableCell(out, matrix);
    return out.str();
}

TEST(SeriesCells, EntriesJoinedByCommasAndRowsBySemicolonsAtTheTablePrecision) {
    Matrix<double> m(2, 2);
    m.element(1, 1) = 3;
    m.element(1, 2) = -0.0;
    m.element(2, 1) = -4;
    m.element(2, 2) = 1.0 / 3;
    EXPECT_EQ(cellOf(m), "3 , -0 ; -4 , 0.3333333333333333");
    EXPECT_EQ(cellOf(testing::matrixOf<double>({{5}})), "5");
    EXPECT_EQ(cellOf(testing::matrixOf<double>({{3}, {-4}, {7}})), "3 ; -4 ; 7");

    Matrix<float> third(1, 1);
    third.element(1, 1) = 1.0f / 3;
    EXPECT_EQ(cellOf(third), "0.33333334");

    Matrix<Complex> c(2, 1);
    c.element(1, 1) = Complex(1, -0.0);
    c.element(2, 1) = Complex(2.0 / 3, -5);
    EXPECT_EQ(cellOf(c), "(1,-0) ; (0.6666666666666666,-5)");

    Matrix<Bruch> q(1, 3);
    q.element(1, 2) = Bruch(4);
    q.element(1, 3) = Bruch(-3, 4);
    EXPECT_EQ(cellOf(q), "0 , 4 , -3/4");
}

TEST(SeriesCells, DateWithoutLeadingZeros) {
    std::ostringstream out;
    serienlauf::writeDate(out, {1, 2, 2027});
    out << ' ';
    serienlauf::writeDate(out, {31, 12, 2026});
    EXPECT_EQ(out.str(), "1.2.2027 31.12.2026");
}

// Cycles run through tables of a row or two: a cycle that writes nothing leaves the run to the
// next, and a cycle beyond the scripted draws (after a row that kept its number, say) ends the
// test with an exception.

// One cycle: seed for n, wait, seed for A, wait, seed for b, wait; n redrawn while it is 0.
TEST(SeriesCycle, UniqueSolutionRowAndTheReseedsAndWaitsOfACycle) {
    Bench<double> bench({{seed0, {10, 21}}, {seed0 + 1, {1, 2, 1}}, {seed0 + 2, {1, 4, 3}}});
    bench.series.run();
    EXPECT_EQ(bench.rows(), "1 ! 2 ! 4 ! 2 ! 4 ! 0 ! Version 1.8.5 ! 6.12.2026\n");
    EXPECT_EQ(bench.random.seeds, (std::vector<std::uint32_t>{seed0, seed0 + 1, seed0 + 2}));
    EXPECT_EQ(bench.sleeper.waits, (std::vector<unsigned>{1000, 1000, 1000}));
    EXPECT_EQ(bench.series.counts().written[1], 1u);
}

TEST(SeriesCycle, SingularSystemsWriteTheirVerdictRows) {
    // A = (-0), b = (5): contradictory.
    Bench<float> none({{seed0, {1}}, {seed0 + 1, {0, 7, 2}}, {seed0 + 2, {1, 5, 1}}});
    none.series.run();
    EXPECT_EQ(none.rows(), "1 ! -0 ! 5 ! keine Loesung ! --- ! ---  ! Version 1.8.5 ! 6.12.2026\n");

    // A = (0,0), b = (0,-0): every x solves it. Two rows, so the verdict row must pass its
    // number on.
    Bench<Complex> infinite({{seed0, {1}},
                             {seed0 + 1, {0, 0, 1, 0, 0, 1}},
                             {seed0 + 2, {0, 0, 1, 0, 0, 4}},
                             {seed0 + 3, {1}},
                             {seed0 + 4, {0, 0, 1, 0, 0, 1}},
                             {seed0 + 5, {0, 0, 1, 0, 0, 4}}},
                            2);
    infinite.series.run();
    const std::string verdict =
        " ! (0,0) ! (0,-0) ! unendlich viele Loesungen ! --- ! ---  ! Version 1.8.5 ! 6.12.2026\n";
    EXPECT_EQ(infinite.rows(), "1" + verdict + "2" + verdict);
}

TEST(SeriesCycle, AllZeroRightHandSideWritesMeanZeroForFloat) {
    // A = (2), b = (-0): x = -0 / 2 = -0, p = 0 + 2 * -0 = 0, no b_i counts, mean 0.
    Bench<float> bench({{seed0, {1}}, {seed0 + 1, {1, 2, 1}}, {seed0 + 2, {0, 0, 0}}});
    bench.series.run();
    EXPECT_EQ(bench.rows(), "1 ! 2 ! -0 ! -0 ! 0 ! 0 ! Version 1.8.5 ! 6.12.2026\n");
}

TEST(SeriesCycle, RejectedCycleWritesNothingAndItsNumberGoesToTheNextCycle) {
    // Cycle 1: A = 1/2, b = 1/3; b's integer part is 0, so nothing counts: rejected.
    // Cycle 2 (three seconds later): A = 1/2, b = 3/2: x = 3, p = 3/2, mean 0.
    Bench<Bruch> bench({{seed0, {1}},
                        {seed0 + 1, {1, 1, 2}},
                        {seed0 + 2, {1, 3, 3}},
                        {seed0 + 3, {1}},
                        {seed0 + 4, {1, 1, 2}},
                        {seed0 + 5, {3, 5, 2}}});
    bench.series.run();
    EXPECT_EQ(bench.rows(), "1 ! 1/2 ! 3/2 ! 3 ! 3/2 ! 0 ! Version 1.8.5 ! 6.12.2026\n");
    EXPECT_EQ(bench.series.counts().rejected[1], 1u);
    EXPECT_EQ(bench.series.counts().written[1], 1u);
}

TEST(SeriesCycle, ExactlySolvedComplexSystemIsRejected) {
    // Cycle 1: A = (2,0), b = (4,0): x = (2,0), d = 0 in both parts, so no part counts.
    // Cycle 2: A = (0,0), b = (5,0): no solution, the first row.
    Bench<Complex> bench({{seed0, {1}},
                          {seed0 + 1, {1, 2, 1, 0, 0, 1}},
                          {seed0 + 2, {1, 4, 1, 0, 0, 1}},
                          {seed0 + 3, {1}},
                          {seed0 + 4, {0, 0, 1, 0, 0, 1}},
                          {seed0 + 5, {1, 5, 1, 0, 0, 1}}});
    bench.series.run();
    EXPECT_EQ(bench.rows(),
              "1 ! (0,0) ! (5,0) ! keine Loesung ! --- ! ---  ! Version 1.8.5 ! 6.12.2026\n");
    EXPECT_EQ(bench.series.counts().rejected[1], 1u);
}

TEST(SeriesCycle, FractionOverflowRejectsTheCycleAndKeepsTheMessage) {
    // Large systems of random fractions overflow 64 bits often: dozens of the cycles behind
    // these 20 rows fail.
    constexpr std::uint32_t rows = 20;
    FakeClock clock(evening, midnight, {6, 12, 2026});
    FakeSleeper sleeper(clock);
    testing::SeededRandom random;
    std::ostringstream out;
    Serienlauf<Bruch> series(out, clock, sleeper, random, rows);
    EXPECT_EQ(series.lastError(), "");
    series.run();
    EXPECT_EQ(series.lastError(), "mathematischer Fehler -> Ueberlauf (Bruchzahl)");
    const serienlauf::CycleCounts& counts = series.counts();
    EXPECT_GE(std::accumulate(counts.failed.begin(), counts.failed.end(), 0u), 1u);

    // A failed cycle wrote nothing and kept its number: every row is whole, numbered without
    // a gap. And it was counted: three waits for every cycle counted.
    const testing::TableSummary table = testing::validateTable<Bruch>(out.str());
    for (const std::string& fault : table.faults) {
        ADD_FAILURE() << fault;
    }
    EXPECT_EQ(table.rows, rows);
    std::uint64_t cycles = 0;
    for (std::size_t n = 1; n <= 9; ++n) {
        cycles += counts.written[n] + counts.rejected[n] + counts.failed[n];
    }
    EXPECT_EQ(sleeper.waits.size(), 3 * cycles);
}

template <class T>
Matrix<T> column(std::initializer_list<T> entries) {
    Matrix<T> result(static_cast<std::uint32_t>(entries.size()), 1);
    std::uint32_t i = 1;
    for (const T& entry : entries) {
        result.element(i++, 1) = entry;
    }
    return result;
}

TEST(SeriesDeviation, RealTermsAreAbsoluteAndSkipZeroRightHandSides) {
    // 100 * 0.5 / 10 = 5, 100 * 2 / |-4| = 50; b_3 = 0 drops out: (5 + 50) / 2.
    const Deviation d = meanDeviation(column<double>({-0.5, 2, 7}), column<double>({10, -4, 0}));
    EXPECT_EQ(d.count, 2u);
    EXPECT_DOUBLE_EQ(d.sum, 55.0);
    EXPECT_DOUBLE_EQ(d.mean, 27.5);
    EXPECT_TRUE(isAccepted<double>(d));

    const Deviation allZero = meanDeviation(column<float>({3, -1}), column<float>({0, -0.0f}));
    EXPECT_EQ(allZero.count, 0u);
    EXPECT_EQ(allZero.mean, 0.0);
    EXPECT_TRUE(isAccepted<float>(allZero));

    const Deviation large = meanDeviation(column<float>({3}), column<float>({2}));
    EXPECT_DOUBLE_EQ(large.mean, 150.0);
    EXPECT_FALSE(isAccepted<float>(large));
    EXPECT_FALSE(isAccepted<double>(large));
}

TEST(SeriesDeviation, ComplexPartsCountOnlyWhereTheyDeviate) {
    // Entry 1: real deviation 0 does not count; imaginary 100 * 2 / 8 = 25. Entry 2: real
    // 100 * 1 / |-2| = 50, imaginary 0. Entry 3: b = 0 is skipped. Mean (25 + 50) / 2.
    const Deviation d = meanDeviation(column<Complex>({{0, -2}, {1, 0}, {5, 5}}),
                                      column<Complex>({{4, 8}, {-2, 0}, {0, 0}}));
    EXPECT_EQ(d.count, 2u);
    EXPECT_DOUBLE_EQ(d.mean, 37.5);
    EXPECT_TRUE(isAccepted<Complex>(d));

    const Deviation exact = meanDeviation(column<Complex>({{0, 0}}), column<Complex>({{4, 1}}));
    EXPECT_EQ(exact.count, 0u);
    EXPECT_FALSE(isAccepted<Complex>(exact));
}

TEST(SeriesDeviation, FractionTermsUseTruncatedIntegerParts) {
    // trunc(-3/2) = -1 with D = trunc(7/2) = 3: (3 * -100) / -1 = 300; trunc(7/3) = 2 with
    // D = 250: 25000 / 2 = 12500; b = 1/2 and 0 have integer part 0 and drop out.
    const Deviation d =
        meanDeviation(column<Bruch>({Bruch(-7, 2), Bruch(250), Bruch(5), Bruch(1)}),
                      column<Bruch>({Bruch(-3, 2), Bruch(7, 3), Bruch(1, 2), Bruch()}));
    EXPECT_EQ(d.count, 2u);
    EXPECT_DOUBLE_EQ(d.sum, 12800.0);
    EXPECT_DOUBLE_EQ(d.mean, 6400.0);
    EXPECT_FALSE(isAccepted<Bruch>(d));

    // trunc(-10/3) = -3, D = trunc(4/3) = 1: (1 * -100) / -3 = 33, truncated.
    const Deviation third =
        meanDeviation(column<Bruch>({Bruch(4, 3)}), column<Bruch>({Bruch(-10, 3)}));
    EXPECT_DOUBLE_EQ(third.mean, 33.0);
    EXPECT_TRUE(isAccepted<Bruch>(third));

    const Deviation none = meanDeviation(column<Bruch>({Bruch()}), column<Bruch>({Bruch(1, 3)}));
    EXPECT_EQ(none.count, 0u);
    EXPECT_FALSE(isAccepted<Bruch>(none));
}

TEST(SeriesDeviation, FractionTermsOfExtremeDeviationsDoNotOverflow) {
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t least = std::numeric_limits<std::int64_t>::min();
    // 9223372036854775807 * 100 = 922337203685477580700.
    const Deviation top = meanDeviation(column<Bruch>({Bruch(most)}), column<Bruch>({Bruch(1)}));
    EXPECT_DOUBLE_EQ(top.sum, 922337203685477580700.0);
    // 2^63 * -100 / -2 = 461168601842738790400.
    const Deviation bottom =
        meanDeviation(column<Bruch>({Bruch(least)}), column<Bruch>({Bruch(-2)}));
    EXPECT_DOUBLE_EQ(bottom.sum, 461168601842738790400.0);
    EXPECT_FALSE(isAccepted<Bruch>(bottom));
}

TEST(SeriesDeviation, ANotANumberMeanIsAcceptedByEveryProgram) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Deviation d{nan, 1, nan};
    EXPECT_TRUE(isAccepted<float>(d));
    EXPECT_TRUE(isAccepted<double>(d));
    EXPECT_TRUE(isAccepted<Complex>(d));
    EXPECT_TRUE(isAccepted<Bruch>(d));
}

}  // namespace
}  // namespace zifferon
