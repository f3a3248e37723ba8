// The mass tests' time-lapse and progress line: the real programs against an in-process run on
// the fake clock of the table tests, and the progress line on a pseudo-terminal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "element_types.hpp"
#include "platform.hpp"
#include "process.hpp"
#include "progress_display.hpp"
#include "pty_session.hpp"
#include "serienlauf.hpp"
#include "series_fakes.hpp"

namespace zifferon {
namespace {

template <class T>
struct ProgramOf;
template <>
struct ProgramOf<Bruch> {
    static constexpr const char* path = SERIENLAUF_Q_PROGRAM;
};
template <>
struct ProgramOf<Complex> {
    static constexpr const char* path = SERIENLAUF_Z_PROGRAM;
};
template <>
struct ProgramOf<float> {
    static constexpr const char* path = SERIENLAUF_F_PROGRAM;
};
template <>
struct ProgramOf<double> {
    static constexpr const char* path = SERIENLAUF_D_PROGRAM;
};

// 6.12.2026 00:00 UTC, and 20:00 that day.
constexpr std::int64_t midnight = 1796515200;
constexpr std::int64_t evening = midnight + 20 * 3600;
const std::string eveningOption = "--zeitraffer=2026-12-06T20:00:00";
// Berlin's rules, written out so that no time zone files are needed.
constexpr const char* berlin = "CET-1CEST,M3.5.0,M10.5.0/3";

// What a real run started at `start` writes if its calculations take no time: the fake clock
// of the table tests, which moves only by the waits and counts days from `localMidnight`, with
// the runtime's own srand and rand.
template <class T>
std::string realRunWithoutCalculationTime(std::int64_t start, std::int64_t localMidnight) {
    testing::FakeClock clock(start, localMidnight, {6, 12, 2026});
    testing::FakeSleeper sleeper(clock);
    serienlauf::StandardRandom random;
    std::ostringstream out;
    serienlauf::Serienlauf<T>(out, clock, sleeper, random).run();
    return out.str();
}

// The table from 20:00 UTC, made once.
template <class T>
const std::string& eveningTable() {
    static const std::string table = realRunWithoutCalculationTime<T>(evening, midnight);
    return table;
}

void inZone(const char* zone) {
    setenv("TZ", zone, 1);
}

template <class T>
class TimeLapseTable : public ::testing::Test {};
TYPED_TEST_SUITE(TimeLapseTable, testing::ElementTypes);

TYPED_TEST(TimeLapseTable, IsTheRealRunsTableWithoutItsCalculationTime) {
    const testing::ProcessResult run = testing::runProgram(
        ProgramOf<TypeParam>::path, {eveningOption}, "", [] { inZone("UTC0"); });
    EXPECT_TRUE(run.exitedWith(0)) << run.status;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.size(), eveningTable<TypeParam>().size());
    EXPECT_TRUE(run.out == eveningTable<TypeParam>()) << "the tables differ";
}

// The start is local time and so are the dates: from 23:59 in Berlin the rows change to the
// next day at Berlin's midnight, an hour before UTC's.
TEST(TimeLapse, StartsAndDatesInLocalTime) {
    const testing::ProcessResult run = testing::runProgram(
        SERIENLAUF_D_PROGRAM, {"--zeitraffer=2026-12-06T23:59:00"}, "", [] { inZone(berlin); });
    EXPECT_TRUE(run.exitedWith(0)) << run.status;
    const std::int64_t berlinMidnight = midnight - 3600;
    const std::string expected =
        realRunWithoutCalculationTime<double>(berlinMidnight + 86400 - 60, berlinMidnight);
    ASSERT_NE(expected.find(" ! 6.12.2026\n"), std::string::npos);
    ASSERT_NE(expected.find(" ! 7.12.2026\n"), std::string::npos);
    EXPECT_TRUE(run.out == expected) << "the tables differ";
}

// --- The progress line's texts and what the run tells it ---

TEST(Progress, Texts) {
    using serienlauf::Pace;
    serienlauf::Tally tally;
    EXPECT_EQ(serienlauf::progressText(tally, 10000, Pace::realTime, 0),
              "0 von 10000 Zeilen, 0 Systeme verworfen, Restzeit noch unbekannt");
    // One row in three seconds: 9999 more take 29997 s.
    tally.unique = 1;
    EXPECT_EQ(serienlauf::progressText(tally, 10000, Pace::realTime, 3),
              "1 von 10000 Zeilen, 0 Systeme verworfen, noch etwa 8 h 19 min");
    tally.noSolution = 9000;
    tally.infinite = 899;
    tally.dropped = 12;
    EXPECT_EQ(serienlauf::progressText(tally, 10000, Pace::realTime, 29700),
              "9900 von 10000 Zeilen, 12 Systeme verworfen, noch etwa 5 min");
    tally.unique = 91;
    EXPECT_EQ(serienlauf::progressText(tally, 10000, Pace::realTime, 29970),
              "9990 von 10000 Zeilen, 12 Systeme verworfen, noch etwa 30 s");
    EXPECT_EQ(serienlauf::progressText(tally, 10000, Pace::timeLapse, 29970),
              "9990 von 10000 Zeilen, 12 Systeme verworfen, 99 % erledigt");

    EXPECT_EQ(serienlauf::summaryText(tally, 8),
              "9990 Zeilen: 91 eindeutig loesbar, 9000 ohne Loesung, 899 mit unendlich vielen "
              "Loesungen; groesste mittlere Abweichung ---");
    tally.largestMean = 98.69433212;
    EXPECT_EQ(serienlauf::summaryText(tally, 8),
              "9990 Zeilen: 91 eindeutig loesbar, 9000 ohne Loesung, 899 mit unendlich vielen "
              "Loesungen; groesste mittlere Abweichung 98.694332 %");
}

// Rows by verdict and the largest mean, read from a table.
struct Verdicts {
    std::uint32_t unique = 0, none = 0, infinite = 0;
    double largest = 0;
    std::string largestText = "---";
};

Verdicts verdictsOf(const std::string& table) {
    Verdicts verdicts;
    std::istringstream lines(table.substr(table.find('\n') + 1));
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        for (std::size_t at = 0;;) {
            const std::size_t next = line.find(" ! ", at);
            fields.push_back(line.substr(at, next - at));
            if (next == std::string::npos) {
                break;
            }
            at = next + 3;
        }
        if (fields.at(3) == "keine Loesung") {
            ++verdicts.none;
        } else if (fields.at(3) == "unendlich viele Loesungen") {
            ++verdicts.infinite;
        } else {
            ++verdicts.unique;
            const double mean = std::strtod(fields.at(5).c_str(), nullptr);
            if (verdicts.largestText == "---" || mean > verdicts.largest) {
                verdicts.largest = mean;
                verdicts.largestText = fields.at(5);
            }
        }
    }
    return verdicts;
}

std::string summaryOf(const std::string& table) {
    const Verdicts v = verdictsOf(table);
    return std::to_string(v.unique + v.none + v.infinite) + " Zeilen: " + std::to_string(v.unique) +
           " eindeutig loesbar, " + std::to_string(v.none) + " ohne Loesung, " +
           std::to_string(v.infinite) +
           " mit unendlich vielen Loesungen; groesste mittlere Abweichung " + v.largestText +
           (v.largestText == "---" ? "" : " %");
}

class Recorder : public serienlauf::RunObserver {
public:
    explicit Recorder(const std::ostringstream& out) : out(out) {}
    void progressed(const serienlauf::Tally& tally) override {
        ++progressions;
        last = tally;
    }
    void rowComing() override {
        const std::string text = out.str();
        rowStartsAfterLineEnd = rowStartsAfterLineEnd && !text.empty() && text.back() == '\n';
        ++rows;
    }
    void finished(const serienlauf::Tally& tally) override {
        ++finishes;
        final = tally;
    }

    const std::ostringstream& out;
    int progressions = 0, rows = 0, finishes = 0;
    bool rowStartsAfterLineEnd = true;
    serienlauf::Tally last, final;
};

TYPED_TEST(TimeLapseTable, TheRunTellsItsObserverEverySystem) {
    testing::FakeClock clock(evening, midnight, {6, 12, 2026});
    testing::FakeSleeper sleeper(clock);
    testing::SeededRandom random;
    std::ostringstream out;
    serienlauf::Serienlauf<TypeParam> series(out, clock, sleeper, random, 300);
    Recorder recorder(out);
    series.observe(&recorder);
    series.run();

    // Once after the header, once after each system (three waits each), once at the end.
    EXPECT_EQ(recorder.progressions, 1 + static_cast<int>(sleeper.waits.size() / 3));
    EXPECT_EQ(recorder.finishes, 1);
    EXPECT_EQ(recorder.rows, 300);
    EXPECT_TRUE(recorder.rowStartsAfterLineEnd);
    const Verdicts table = verdictsOf(out.str());
    const serienlauf::Tally& tally = recorder.final;
    EXPECT_EQ(tally.unique, table.unique);
    EXPECT_EQ(tally.noSolution, table.none);
    EXPECT_EQ(tally.infinite, table.infinite);
    EXPECT_EQ(tally.dropped, sleeper.waits.size() / 3 - 300);
    ASSERT_TRUE(tally.largestMean);
    // As the table writes it.
    std::ostringstream largest;
    largest.precision(std::is_same_v<TypeParam, float> ? 8 : 16);
    largest << *tally.largestMean;
    EXPECT_EQ(largest.str(), table.largestText);
    EXPECT_EQ(recorder.last.rows(), 300u);
}

// --- On a pseudo-terminal ---

std::string contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::filesystem::path scratchFile(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string(name) + "_" + std::to_string(getpid()));
}

// Standard output to `file`, standard error on the terminal, SIGPIPE at its default.
std::function<void()> tableTo(const std::filesystem::path& file, const char* zone = "UTC0") {
    return [file, zone] {
        inZone(zone);
        signal(SIGPIPE, SIG_DFL);
        std::FILE* table = std::fopen(file.c_str(), "wb");
        dup2(fileno(table), STDOUT_FILENO);
    };
}

std::string ending(const std::string& text, std::size_t length) {
    return text.substr(text.size() - std::min(length, text.size()));
}

// True when `text` is `pattern` with each '#' standing for one or more decimal digits.
bool matchesWithNumbers(const std::string& text, const std::string& pattern) {
    std::size_t at = 0;
    for (const char wanted : pattern) {
        if (wanted != '#') {
            if (at == text.size() || text[at] != wanted) {
                return false;
            }
            ++at;
            continue;
        }
        const std::size_t digitsFrom = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        if (at == digitsFrom) {
            return false;
        }
    }
    return at == text.size();
}

class TimeLapseProgress : public ::testing::TestWithParam<const char*> {};

// The table is unchanged by the line; the line ends as the summary, on a line of its own.
TEST_P(TimeLapseProgress, EndsWithTheSummary) {
    const std::string term = GetParam();
    const bool escapes = term != "dumb";
    const std::filesystem::path file = scratchFile("zeitraffer_table");
    testing::PtySession session(SERIENLAUF_D_PROGRAM, {eveningOption}, {"TERM=" + term},
                                tableTo(file));
    const int status = session.finish(std::chrono::seconds(60));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(contents(file) == eveningTable<double>()) << "the tables differ";
    std::filesystem::remove(file);

    const std::string erase = escapes ? "\x1b[K" : "";
    const std::string& screen = session.output();
    const std::string first = "\r0 von 10000 Zeilen, 0 Systeme verworfen, 0 % erledigt" + erase;
    EXPECT_EQ(screen.rfind(first, 0), 0u) << screen.substr(0, 200);
    const std::string last = "\r" + summaryOf(eveningTable<double>()) + erase + "\r\n";
    EXPECT_EQ(ending(screen, last.size()), last);
    EXPECT_EQ(screen.find('\x1b') == std::string::npos, !escapes);
}

INSTANTIATE_TEST_SUITE_P(Terminals, TimeLapseProgress, ::testing::Values("xterm", "dumb"));

// What a terminal shows, line by line: a carriage return goes back to the line's start, text
// overwrites, ESC [ K erases to the line's end; trailing blanks do not show.
std::vector<std::string> visibleLines(const std::string& screen) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t column = 0;
    for (std::size_t i = 0; i < screen.size(); ++i) {
        const char c = screen[i];
        if (c == '\n') {
            line.erase(line.find_last_not_of(' ') + 1);
            lines.push_back(line);
            line.clear();
            column = 0;
        } else if (c == '\r') {
            column = 0;
        } else if (screen.compare(i, 3, "\x1b[K") == 0) {
            line.resize(column);
            i += 2;
        } else {
            if (column < line.size()) {
                line[column] = c;
            } else {
                line.push_back(c);
            }
            ++column;
        }
    }
    return lines;
}

// With the table on the same terminal, the line steps aside for every row: the screen shows
// the table as it is, and the summary under it.
TEST(Progress, StepsAsideForTheTableOnTheSameTerminal) {
    for (const char* term : {"xterm", "dumb"}) {
        SCOPED_TRACE(term);
        testing::PtySession session(SERIENLAUF_D_PROGRAM, {eveningOption},
                                    {"TERM=" + std::string(term), "TZ=UTC0"});
        const int status = session.finish(std::chrono::seconds(120));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        std::vector<std::string> expected;
        std::istringstream table(eveningTable<double>());
        for (std::string line; std::getline(table, line);) {
            expected.push_back(line);
        }
        expected.push_back(summaryOf(eveningTable<double>()));
        const std::vector<std::string> shown = visibleLines(session.output());
        EXPECT_EQ(shown.size(), expected.size());
        for (std::size_t i = 0; i < std::min(shown.size(), expected.size()); ++i) {
            if (shown[i] != expected[i]) {
                ADD_FAILURE() << "line " << i << " shows\n"
                              << shown[i] << "\ninstead of\n"
                              << expected[i];
                break;
            }
        }
    }
}

// A real run shows every system with the time left; SIGTERM ends the line before the program
// ends, and the table holds only complete rows.
TEST(Progress, RealRunShowsTheTimeLeftAndEndsTheLineOnSignal) {
    const std::filesystem::path file = scratchFile("echtzeit_table");
    testing::PtySession session(SERIENLAUF_D_PROGRAM, {}, {}, tableTo(file));
    ASSERT_TRUE(session.waitFor(
        "\r0 von 10000 Zeilen, 0 Systeme verworfen, Restzeit noch unbekannt\x1b[K"));
    // The first row comes after three waits of a second, later if a system is dropped.
    ASSERT_TRUE(session.waitFor("\r1 von 10000 Zeilen, ", 0, std::chrono::seconds(60)));
    const std::size_t start = session.output().find("\r1 von 10000 Zeilen, ");
    ASSERT_TRUE(session.waitFor("\x1b[K", start));
    const std::string line =
        session.output().substr(start + 1, session.output().find("\x1b[K", start) - start - 1);
    EXPECT_TRUE(
        matchesWithNumbers(line, "1 von 10000 Zeilen, # Systeme verworfen, noch etwa # h # min"))
        << line;
    session.signal(SIGTERM);
    const int status = session.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(ending(session.output(), 5), "\x1b[K\r\n");
    const std::string table = contents(file);
    std::filesystem::remove(file);
    // The header and the one row, complete.
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 2);
    EXPECT_EQ(table.back(), '\n');
    EXPECT_NE(table.find("\n1 ! "), std::string::npos);
}

// A reader of the table that leaves ends the run by SIGPIPE, with the line ended.
TEST(Progress, AReaderThatLeavesEndsTheRunWithTheLineEnded) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    testing::PtySession session(SERIENLAUF_Q_PROGRAM, {eveningOption}, {"TZ=UTC0"}, [&] {
        signal(SIGPIPE, SIG_DFL);
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
    });
    close(pipeEnds[1]);
    std::string table;
    char buffer[4096];
    while (std::count(table.begin(), table.end(), '\n') < 3) {
        const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
        ASSERT_GT(count, 0);
        table.append(buffer, static_cast<std::size_t>(count));
    }
    close(pipeEnds[0]);
    const int status = session.finish(std::chrono::seconds(60));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) << status;
    EXPECT_EQ(ending(session.output(), 5), "\x1b[K\r\n") << session.output();
}

// Lost output ends the line before the message, which so starts on a line of its own.
TEST(Progress, LostOutputEndsTheLineBeforeTheMessage) {
    const std::filesystem::path file = scratchFile("voll_table");
    const auto toFile = tableTo(file);
    testing::PtySession session(SERIENLAUF_D_PROGRAM, {eveningOption}, {}, [&] {
        toFile();
        const rlimit limit{100000, 100000};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    const int status = session.finish(std::chrono::seconds(60));
    std::filesystem::remove(file);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
    const std::string message =
        "% erledigt\x1b[K\r\nFehler beim Schreiben der Ausgabe: File too large\r\n";
    EXPECT_EQ(ending(session.output(), message.size()), message) << session.output();
}

}  // namespace
}  // namespace zifferon
