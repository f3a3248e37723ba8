#pragma once

#include <chrono>
#include <cstdint>
#include <ios>
#include <string>

#include "platform.hpp"
#include "serienlauf.hpp"
#include "zifferon/console/status_line.hpp"

namespace zifferon::serienlauf {

// How the time left is told: from the rows so far in a real run, as the share done in a
// time-lapse run, whose time says nothing about the real one.
enum class Pace { realTime, timeLapse };

// The progress line: rows written, systems dropped, and the time left or the share done.
// `elapsedSeconds` is the run's time so far.
std::string progressText(const Tally& tally, std::uint32_t lastRow, Pace pace,
                         std::int64_t elapsedSeconds);
// The summary: rows by verdict and the largest mean deviation, written as in the table.
std::string summaryText(const Tally& tally, std::streamsize precision);

// Keeps the status line up to date while a run goes on, and leaves the summary there at its
// end. A real run shows every system, a time-lapse one at most four times a second. When the
// table goes to the same terminal, the line steps aside for every row.
class ProgressDisplay final : public RunObserver {
public:
    ProgressDisplay(console::StatusLine& line, Clock& clock, Pace pace, std::uint32_t lastRow,
                    std::streamsize precision, bool tableOnSameTerminal)
        : line(line),
          clock(clock),
          start(clock.seconds()),
          pace(pace),
          lastRow(lastRow),
          precision(precision),
          tableOnSameTerminal(tableOnSameTerminal) {}

    void progressed(const Tally& tally) override;
    void rowComing() override;
    void finished(const Tally& tally) override;

private:
    using Steady = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds timeLapseInterval{250};

    console::StatusLine& line;
    Clock& clock;
    std::int64_t start;
    Pace pace;
    std::uint32_t lastRow;
    std::streamsize precision;
    bool tableOnSameTerminal;
    bool shownOnce = false;
    Steady::time_point lastShown{};
};

}  // namespace zifferon::serienlauf
