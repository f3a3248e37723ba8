// Memory that does not fit is refused before anything is allocated, and memory that runs out all
// the same is reported as such. The address space is limited in-process (RLIMIT_AS, which the
// memory probe reads), and allocations are counted and made to fail by the program's own
// operator new.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <new>
#include <string>

#include "allocation_counter.hpp"
#include "marking_console.hpp"
#include "probelauf.hpp"
#include "soft_limit.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon {
namespace {

constexpr std::uint64_t megabyte = 1000 * 1000;

// The address space the process takes now.
std::uint64_t addressSpaceBytes() {
    std::uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

// Whether operation() throws std::bad_alloc within `headroom`; it must then have allocated
// nothing of its working storage.
template <class Operation>
bool refusedWithin(std::uint64_t headroom, Operation operation) {
    const std::size_t before = testing::allocatedBytes();
    bool refused = false;
    {
        const testing::SoftLimit limit(RLIMIT_AS, addressSpaceBytes() + headroom);
        try {
            operation();
        } catch (const std::bad_alloc&) {
            refused = true;
        }
    }
    if (refused) {
        EXPECT_LT(testing::allocatedBytes() - before, std::size_t{1} << 20);
    }
    return refused;
}

// A square double matrix of order n, not triangular (its determinant needs a working copy), and
// regular: 2 on the diagonal, and 1 at (1,2) and (2,1).
Matrix<double> regularMatrix(std::uint32_t n) {
    Matrix<double> a(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        a.element(i, i) = 2;
    }
    a.element(1, 2) = a.element(2, 1) = 1;
    return a;
}

// 700 x 700 doubles, 3.9 MB a matrix. Each operation's working storage takes at least as much
// again, and with the margin of 8 MiB and 1/16 it needs at least 12.5 MB: 10 MB of address
// space are refused, though they would hold any single block the operation allocates. 40 MB are
// enough.
TEST(MemoryRefusal, OperationsCheckTheirWorkingStorageWithTheMargin) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory leaves no address space to limit";
#endif
    const std::uint32_t n = 700;
    const Matrix<double> a = regularMatrix(n);
    Matrix<double> b(n, 1), x(n, 1);
    for (std::uint32_t i = 1; i <= n; ++i) {
        b.element(i, 1) = 1;
    }

    EXPECT_TRUE(refusedWithin(10 * megabyte, [&] { a.determinant(); }));
    EXPECT_TRUE(refusedWithin(10 * megabyte, [&] { a.solve(x, b); }));
    EXPECT_TRUE(refusedWithin(10 * megabyte, [&] { (void)(a * a); }));
    EXPECT_TRUE(refusedWithin(10 * megabyte, [&] { (void)(a + a); }));
    EXPECT_TRUE(refusedWithin(10 * megabyte, [&] { Matrix<double> copy(a); }));

    EXPECT_FALSE(refusedWithin(40 * megabyte,
                               [&] { EXPECT_EQ(a.determinant(), 3 * std::ldexp(1.0, 698)); }));
    EXPECT_FALSE(refusedWithin(40 * megabyte, [&] { a.solve(x, b); }));
    EXPECT_FALSE(refusedWithin(40 * megabyte, [&] { (void)(a * a); }));
    EXPECT_FALSE(refusedWithin(40 * megabyte, [&] { Matrix<double> copy(a); }));
}

// The adjugate holds a minor, the result and the minor's working copy at once: 3 x 16 MB for
// order 1414. 45 MB would hold the minor and the result, each with the margin checked alone, but
// not the copy beside them: refused at once. (Were it not, the copy could not be allocated; the
// 2 million determinants of order 1413 would take days.)
TEST(MemoryRefusal, TheAdjugateCountsItsThreeBlocksTogether) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory leaves no address space to limit";
#endif
    const Matrix<double> a = regularMatrix(1414);
    EXPECT_TRUE(refusedWithin(45 * megabyte, [&] { a.adjugate(); }));
}

// probelauf: what the solver allocates can still run out after every check passed. The run then
// ends with the memory refusal and status 1, never with "unbekannter Fehler" and status 0.
TEST(MemoryRefusal, ProbelaufEndsTheRunWhenTheSolverRunsOutOfMemory) {
    // A 300 x 300 system: its storage and the solver's copy of it take 720000 bytes each, too
    // little to be checked; the copy is the second allocation that large.
    const std::uint32_t n = 300;
    std::string script = "1\ngross double 300 300\n";
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            script += i == j ? "1 " : "0 ";
        }
    }
    script += "300 1";
    for (std::uint32_t i = 0; i < n; ++i) {
        script += " 1";
    }
    testing::MarkingConsole console(script);
    testing::failAllocationsFrom(n * n * sizeof(double), 1);
    const int status = probelauf::run(console);
    testing::failNoAllocations();

    EXPECT_EQ(status, 1);
    EXPECT_EQ(console.errors.str(),
              "Fehler im Testskript bei Testfall 1 (gross): Fuer die Arbeitskopien des Loesers mit "
              "300 x 300 Elementen reicht der Speicher nicht.\n");
    const std::string out = console.output.str();
    const std::string last = "Resultat: \n\n";
    EXPECT_EQ(out.substr(out.size() - std::min(out.size(), last.size())), last);
}

}  // namespace
}  // namespace zifferon
