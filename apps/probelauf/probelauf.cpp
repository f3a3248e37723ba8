#include "probelauf.hpp"

#include <cstdint>
#include <new>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "script_reader.hpp"
#include "visible_text.hpp"
#include "zifferon/console/program_run.hpp"
#include "zifferon/matrix/matrix.hpp"
#include "zifferon/matrix/print_error.hpp"
#include "zifferon/matrix/solve_verdict.hpp"

namespace zifferon::probelauf {

namespace {

template <class T>
void writeBlock(std::ostream& out, const char* label, const MatrixVector<T>& matrix) {
    out << label << '\n' << matrix << "\n\n";
}

template <class T>
void reportTestCase(console::Console& console, const std::string name, const std::string type,
                    const Matrix<T>& a, Matrix<T>& x, const Matrix<T>& b) {
    std::ostream& out = console.out();
    // The name reaches a terminal shown, not acted on; a file gets it as read.
    out << "Test: " << (console.outputIsTerminal() ? visibleText(name) : name) << '\n'
        << "Type: " << type << "\n\n"
        << "Vorher: \n\n";
    writeBlock(out, "Koeffizientenmatrix = ", a);
    writeBlock(out, "absolute Glieder = ", b);
    out << "Resultat: \n\n";
    try {
        writeSolveVerdict(out, a.solve(x, b), [&] { out << x << '\n'; });
    } catch (const MatrixException& error) {
        printError(error, console);
    } catch (const char* text) {
        console.err() << text << '\n';
    } catch (const std::bad_alloc&) {
        throw;  // the memory ran out after all: the run ends with the memory refusal
    } catch (const std::length_error&) {
        throw;
    } catch (...) {
        console.err() << "unbekannter Fehler\n";
    }
    out << "Nachher: \n\n";
    writeBlock(out, "Koeffizientenmatrix = ", a);
    writeBlock(out, "absolute Glieder = ", b);
}

template <class T>
void runTestCase(console::Console& console, ScriptReader& script, std::uint32_t index,
                 const std::string& name, const std::string& type, Matrix<T>& a, Matrix<T>& b,
                 Matrix<T>& x) {
    std::ostream& out = console.out();
    out << "********************   Beginn Testfall " << index + 1 << "   ********************\n\n";
    script.resizeCoefficients(a, script.sizes(coefficientMatrix));
    script.readEntries(a, coefficientMatrix);
    const Sizes sizes = script.sizes(constantTerms);
    script.resizeConstants(b, x, sizes, a);
    script.readEntries(b, constantTerms);
    whenOutOfMemory([&] { reportTestCase(console, name, type, a, x, b); },
                    [&] {
                        script.failSolverMemory({a.getRows(), a.getColumns()});
                    });
    out << "********************   Ende Testfall " << index + 1 << "   ********************\n\n";
}

template <class T>
void runTyped(console::Console& console, ScriptReader& script, std::uint32_t index,
              const std::string& name, const std::string& type) {
    Matrix<T> a, b, x;
    runTestCase(console, script, index, name, type, a, b, x);
}

using CaseRunner = void (*)(console::Console&, ScriptReader&, std::uint32_t, const std::string&,
                            const std::string&);

struct ElementType {
    std::string_view word;
    CaseRunner run;
};

// Type words are compared exactly: "Float" is not "float".
constexpr ElementType elementTypes[] = {
    {"float", &runTyped<float>},
    {"double", &runTyped<double>},
    {"complex", &runTyped<Complex>},
    {"bruch", &runTyped<Bruch>},
};

// Reads the name and the type word, then the case itself when the type is known.
void runCase(console::Console& console, ScriptReader& script, std::uint32_t index) {
    script.beginCase(index + 1);
    const std::string name = script.name();
    const std::string type = script.typeWord();
    for (const ElementType& elementType : elementTypes) {
        if (type == elementType.word) {
            elementType.run(console, script, index, name, type);
            return;
        }
    }
    // Only the two words are consumed: the next token names the next case.
    console.out() << "Falsche Datentypangabe.\n\n";
}

}  // namespace

int run(console::Console& console) {
    return console::runProgram(console, [&] {
        ScriptReader script(console.in());
        try {
            const std::uint32_t count = script.caseCount();
            for (std::uint32_t index = 0; index < count; ++index) {
                whenOutOfMemory([&] { runCase(console, script, index); },
                                [&] { script.failCaseMemory(); });
                // Stops at the first case whose output did not arrive (seen once the buffer
                // was written), instead of reading and solving the rest for nobody.
                console::checkOutput(console.out());
            }
        } catch (const ScriptError& error) {
            console::commitOutput(console.out());
            console.err() << error.message << '\n';
            return 1;
        }
        return 0;
    });
}

}  // namespace zifferon::probelauf
