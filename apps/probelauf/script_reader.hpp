#pragma once

#include <cstdint>
#include <istream>
#include <new>
#include <stdexcept>
#include <string>

#include "entry_scanner.hpp"
#include "zifferon/matrix/matrix.hpp"
#include "zifferon/matrix/working_storage.hpp"

namespace zifferon::probelauf {

// The run cannot go on: the script ends early or holds something that cannot be read. The
// message names the test case and what was wrong.
struct ScriptError {
    std::string message;
};

// Runs work(); when it runs out of memory (std::bad_alloc, or std::length_error for a size no
// container can hold), refuse() instead ends the run.
template <class Work, class Refusal>
void whenOutOfMemory(Work&& work, Refusal&& refuse) {
    try {
        work();
    } catch (const std::bad_alloc&) {
        refuse();
    } catch (const std::length_error&) {
        refuse();
    }
}

// A matrix of a test case as the messages name it.
struct MatrixRole {
    const char* genitive;    // "der Koeffizientenmatrix"
    const char* accusative;  // "die Koeffizientenmatrix"
};
inline constexpr MatrixRole coefficientMatrix{"der Koeffizientenmatrix", "die Koeffizientenmatrix"};
inline constexpr MatrixRole constantTerms{"der absoluten Glieder", "die absoluten Glieder"};
inline constexpr MatrixRole solverCopies{"der Arbeitskopien des Loesers",
                                         "die Arbeitskopien des Loesers"};

struct Sizes {
    std::uint32_t rows;
    std::uint32_t columns;
};

// How an entry of each element type is written, for the message about one that is not.
template <class T>
inline constexpr const char* entryForm = "eine Zahl vom Typ double";
template <>
inline constexpr const char* entryForm<float> = "eine Zahl vom Typ float";
template <>
inline constexpr const char* entryForm<Complex> = "eine komplexe Zahl wie (1,2)";
template <>
inline constexpr const char* entryForm<Bruch> = "ein Bruch wie 1/2";

// Reads the test script in its order. Counts are whole words of decimal digits; names and type
// words are words; entries are read with the element type's own extraction, one by one, so that
// the first one that fails can be named. No word may be longer than longestWord. Every read that
// fails throws ScriptError.
class ScriptReader {
public:
    explicit ScriptReader(std::istream& in) : in(in), scanner(in) {}

    // The number of test cases, 0 included; a UTF-8 byte-order mark before it is skipped.
    std::uint32_t caseCount();
    // Messages from now on name this case (counted from 1).
    void beginCase(std::uint32_t number);
    std::string name();
    std::string typeWord();
    // Row count, then column count; both at least 1.
    Sizes sizes(MatrixRole role);

    // A size too large for the memory ends the run like a wrong count. What the case will hold
    // at once is counted before anything is sized: the coefficient matrix together with the
    // solver's copies of it, then the constant terms and the result together with the solver's
    // copies of the whole system (the coefficient matrix itself is held by then).
    template <class T>
    void resizeCoefficients(MatrixVector<T>& a, Sizes sizes);
    template <class T>
    void resizeConstants(MatrixVector<T>& b, MatrixVector<T>& x, Sizes sizes,
                         const MatrixVector<T>& a);
    // Every entry of the matrix in its current size, row by row.
    template <class T>
    void readEntries(MatrixVector<T>& matrix, MatrixRole role);

    // Ends the run with the message for a size beyond the memory: for what the solver allocates
    // for a system of these sizes, when the memory ran out after all; or, when something else of
    // the case ran out of it, for the case.
    [[noreturn]] void failSolverMemory(Sizes system) const;
    [[noreturn]] void failCaseMemory() const;

private:
    void skipByteOrderMark();
    // The next word into `word`; false at the end of the script. A word longer than longestWord
    // ends the run with a message that names it as `article` and `what`.
    bool readWord(std::string& word, const char* article, const std::string& what);
    template <class T, class CaseBytes>
    void resize(MatrixVector<T>& matrix, Sizes sizes, MatrixRole role, CaseBytes caseBytes);
    std::uint32_t count(const std::string& what, std::uint32_t minimum);
    [[noreturn]] void fail(const std::string& what) const;
    [[noreturn]] void failMemory(Sizes sizes, MatrixRole role) const;
    // The message names the entry between `before` and `after`.
    [[noreturn]] void failEntry(std::uint32_t row, std::uint32_t column, MatrixRole role,
                                const char* before, const std::string& after) const;

    std::istream& in;
    EntryScanner scanner;
    std::uint32_t announced = 0;
    std::uint32_t caseNumber = 0;  // 0 before the first case
    std::string caseName;
};

template <class T>
void ScriptReader::resizeCoefficients(MatrixVector<T>& a, Sizes sizes) {
    resize(a, sizes, coefficientMatrix, [sizes] {
        return addStorage(storageBytes<T>(sizes.rows, sizes.columns),
                          solveStorage<T>(sizes.rows, sizes.columns));
    });
}

template <class T>
void ScriptReader::resizeConstants(MatrixVector<T>& b, MatrixVector<T>& x, Sizes sizes,
                                   const MatrixVector<T>& a) {
    const auto caseBytes = [sizes, system = Sizes{a.getRows(), a.getColumns()}] {
        const std::uint64_t column = storageBytes<T>(sizes.rows, sizes.columns);
        const std::uint64_t held = addStorage(column, column);  // b and x
        // The solver refuses a system of other shape before it copies anything.
        const bool solvable = sizes.columns == 1 && sizes.rows == system.rows;
        return solvable ? addStorage(held, solveStorage<T>(system.rows, system.columns)) : held;
    };
    resize(b, sizes, constantTerms, caseBytes);
    resize(x, sizes, constantTerms, [] { return std::uint64_t{0}; });  // counted with b
}

// caseBytes() gives what the case needs from here on, this matrix included; it may throw
// std::bad_alloc for a count beyond 2^64 bytes.
template <class T, class CaseBytes>
void ScriptReader::resize(MatrixVector<T>& matrix, Sizes sizes, MatrixRole role,
                          CaseBytes caseBytes) {
    whenOutOfMemory(
        [&] {
            requireMemory(caseBytes());
            matrix.resize(sizes.rows, sizes.columns);
        },
        [&] { failMemory(sizes, role); });
}

template <class T>
void ScriptReader::readEntries(MatrixVector<T>& matrix, MatrixRole role) {
    scanner.begin();
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            if (!scanner.nextEntry()) {
                failEntry(i, j, role, "Das Skript endet vor dem ", ".");
            }
            bool read = false;
            try {
                read = scanner.read(matrix.element(i, j));
            } catch (const char* text) {
                failEntry(i, j, role, "Das ", std::string(" ist fehlerhaft: ") + text);
            } catch (const EntryTooLong&) {
                failEntry(i, j, role, "Das ",
                          " ist laenger als " + std::to_string(longestWord) + " Zeichen.");
            }
            if (!read) {
                failEntry(i, j, role, "Das ",
                          std::string(" ist nicht lesbar; erwartet wird ") + entryForm<T> + ".");
            }
        }
    }
}

}  // namespace zifferon::probelauf
