#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "platform.hpp"
#include "random_systems.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon::serienlauf {

// The mean relative deviation of a check product, in percent, and what it was formed from.
struct Deviation {
    double sum = 0.0;
    std::uint32_t count = 0;  // entries (for complex: parts) that contributed a term
    double mean = 0.0;
};

// Mean deviation of d = b - p relative to b, entry by entry:
// - float, double: 100 |d_i| / |b_i| in double; a b_i of exactly 0 is left out of sum and count.
// - Complex: the same for real and imaginary parts separately; a part counts only when both its
//   deviation and its b part are non-zero.
// - Bruch: integer parts only, truncated toward zero: D = trunc |d_i|, B = trunc b_i, term
//   100 D / |B| truncated; entries with B = 0 are left out. Formed in 128 bits, so no deviation
//   overflows.
// The mean is sum / count, or the sum itself when either is 0.
template <class T>
Deviation meanDeviation(const MatrixVector<T>& d, const MatrixVector<T>& b);

// Whether a uniquely solved cycle may write its row. A NaN mean fails every comparison and so
// passes. Fractions: 0 <= mean <= 100 with a count; complex: mean <= 100 with a count;
// float and double: mean <= 100.
template <class T>
bool isAccepted(const Deviation& deviation);

// What a run has written so far, for a progress display.
struct Tally {
    std::uint32_t unique = 0;      // rows with a unique solution
    std::uint32_t noSolution = 0;  // rows "keine Loesung"
    std::uint32_t infinite = 0;    // rows "unendlich viele Loesungen"
    std::uint64_t dropped = 0;     // systems that wrote no row
    // The largest mean deviation written, NaN left out; none before a number was written.
    std::optional<double> largestMean;

    std::uint32_t rows() const { return unique + noSolution + infinite; }
};

// Hears how a run goes.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // After the header, and after every system, whether it wrote a row or not.
    virtual void progressed(const Tally& tally) = 0;
    // Before the first byte of a row goes to the output.
    virtual void rowComing() = 0;
    // After the last row.
    virtual void finished(const Tally& tally) = 0;
};

// Cycles by their number of equations n (index 1 to 9).
struct CycleCounts {
    std::array<std::uint64_t, 10> written{};
    std::array<std::uint64_t, 10> rejected{};  // by the acceptance rule
    std::array<std::uint64_t, 10> failed{};    // solve, product or difference threw
};

// The mass test of the equation solver for one element type: random systems of 1 to 9
// equations, one table row per system, until row `lastRow` has been written. The header and
// every row are committed to the output as soon as they are complete; console::OutputLost
// ends the run when one did not arrive.
//
// Every cycle reseeds from the clock three times (for n, for A, for b) with a wait of one
// second after each, so A and b never share a seed. A cycle that is rejected, or whose
// computation throws, writes nothing and leaves its row number to the next cycle, so the
// numbers stay gapless.
template <class T>
class Serienlauf {
public:
    // The last row of the programs' tables.
    static constexpr std::uint32_t fullTable = 10000;

    Serienlauf(std::ostream& out, Clock& clock, Sleeper& sleeper, RandomSource& random,
               std::uint32_t lastRow = fullTable)
        : out(out), clock(clock), systems(clock, sleeper, random), lastRow(lastRow) {}

    // The header, then cycles until the last row is written.
    void run();

    // `observer` (or none) hears of the run from now on.
    void observe(RunObserver* runObserver) { observer = runObserver; }

    // The message of the last failure inside a cycle; never written to the table.
    const std::string& lastError() const { return errorText; }
    const CycleCounts& counts() const { return cycleCounts; }
    const Tally& tally() const { return runTally; }

private:
    // The header line; sets the table's precision.
    void writeHeader();
    // One random system, from drawing n to writing (or not writing) its row.
    void runCycle();
    // A cycle whose computation threw: keeps the message, writes nothing.
    void fail(std::uint32_t n, const char* message);
    void writeRowStart(const MatrixVector<T>& a, const MatrixVector<T>& b);
    void writeRowEnd();

    std::ostream& out;
    Clock& clock;
    RandomSystems<T> systems;
    std::uint32_t lastRow;
    std::uint32_t row = 1;
    std::string errorText;
    CycleCounts cycleCounts;
    Tally runTally;
    RunObserver* observer = nullptr;
};

extern template class Serienlauf<float>;
extern template class Serienlauf<double>;
extern template class Serienlauf<Complex>;
extern template class Serienlauf<Bruch>;

}  // namespace zifferon::serienlauf
