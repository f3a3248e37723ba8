#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <ostream>
#include <sstream>
#include <string>

#include "element_types.hpp"
#include "serienlauf.hpp"
#include "series_fakes.hpp"
#include "table_validator.hpp"

namespace zifferon {
namespace {

using testing::FakeClock;
using testing::FakeSleeper;
using testing::FlushRecorder;
using testing::SeededRandom;

// A whole table of 10000 rows on the fake clock, starting at 20:00 on 6.12.2026, so that the
// run of more than eight hours passes midnight (the rows carry the date they are written on).
template <class T>
class FullTableTest : public ::testing::Test {};
TYPED_TEST_SUITE(FullTableTest, testing::ElementTypes);

TYPED_TEST(FullTableTest, EveryRowOfAFullRunChecksOut) {
    constexpr std::int64_t midnight = 1796515200;
    constexpr std::int64_t start = midnight + 20 * 3600;
    FakeClock clock(start, midnight, {6, 12, 2026});
    FakeSleeper sleeper(clock);
    SeededRandom random;
    FlushRecorder sink;
    std::ostream out(&sink);

    serienlauf::Serienlauf<TypeParam> series(out, clock, sleeper, random);
    series.run();

    const testing::TableSummary table = testing::validateTable<TypeParam>(sink.text);
    for (const std::string& fault : table.faults) {
        ADD_FAILURE() << fault;
    }
    EXPECT_EQ(table.rows, 10000u);
    EXPECT_GT(table.unique, 0u);
    EXPECT_GT(table.noSolution + table.infinite, 0u);
    EXPECT_EQ(table.firstDate, "6.12.2026");
    // The last row is written after the last wait, at the end of the run: a later day.
    const console::CalendarDate end = clock.date(clock.now);
    EXPECT_GT(end.day, 6);
    EXPECT_EQ(table.lastDate, std::to_string(end.day) + ".12.2026");
    if constexpr (!std::is_same_v<TypeParam, Bruch>) {
        // The precision shows in the longest numbers: 16 digits, 8 for float, never more.
        EXPECT_EQ(table.mostSignificantDigits, (std::is_same_v<TypeParam, float> ? 8 : 16));
    }

    // Every line reaches the output when it is complete.
    std::size_t lineEnd = 0;
    std::size_t unflushed = 0;
    while ((lineEnd = sink.text.find('\n', lineEnd)) != std::string::npos) {
        ++lineEnd;
        unflushed += std::binary_search(sink.flushes.begin(), sink.flushes.end(), lineEnd) ? 0 : 1;
    }
    EXPECT_EQ(unflushed, 0u);

    // Three waits of a second per cycle, rejected cycles included, and nothing else.
    EXPECT_TRUE(std::all_of(sleeper.waits.begin(), sleeper.waits.end(),
                            [](unsigned wait) { return wait == 1000; }));
    EXPECT_EQ(clock.now - start, static_cast<std::int64_t>(sleeper.waits.size()));
    EXPECT_EQ(sleeper.waits.size() % 3, 0u);

    // Cycles by their number of equations: written rows as the table shows them, and every
    // cycle, written or not, took its three waits.
    const serienlauf::CycleCounts& counts = series.counts();
    std::uint64_t cycles = 0;
    std::ostringstream figures;
    for (std::size_t n = 1; n <= 9; ++n) {
        EXPECT_EQ(counts.written[n], table.rowsByN[n]) << "n = " << n;
        cycles += counts.written[n] + counts.rejected[n] + counts.failed[n];
        figures << "n=" << n << ": written " << counts.written[n] << ", rejected "
                << counts.rejected[n] << ", failed " << counts.failed[n] << '\n';
    }
    EXPECT_EQ(sleeper.waits.size(), 3 * cycles);
    this->RecordProperty("cycles", figures.str());
    std::cout << figures.str();
}

}  // namespace
}  // namespace zifferon
