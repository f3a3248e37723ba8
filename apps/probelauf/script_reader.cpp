#include "script_reader.hpp"

#include <iomanip>
#include <limits>
#include <streambuf>
#include <string>

#include "visible_text.hpp"

namespace zifferon::probelauf {

std::uint32_t ScriptReader::caseCount() {
    skipByteOrderMark();
    announced = count("Anzahl der Testfaelle", 0);
    return announced;
}

// Editors on Windows start a UTF-8 file with a byte-order mark; it is no part of the script.
// Anything else that starts with its first byte is left as it was.
void ScriptReader::skipByteOrderMark() {
    static constexpr char mark[] = "\xEF\xBB\xBF";
    std::streambuf& buffer = *in.rdbuf();
    std::size_t matched = 0;
    while (matched < sizeof mark - 1 &&
           buffer.sgetc() == std::char_traits<char>::to_int_type(mark[matched])) {
        buffer.sbumpc();
        ++matched;
    }
    if (matched < sizeof mark - 1) {
        for (; matched > 0; --matched) {
            buffer.sungetc();
        }
    }
}

void ScriptReader::beginCase(std::uint32_t number) {
    caseNumber = number;
    caseName.clear();
}

bool ScriptReader::readWord(std::string& word, const char* article, const std::string& what) {
    if (!(in >> std::setw(longestWord + 1) >> word)) {
        return false;
    }
    if (word.size() > longestWord) {
        fail(article + what + " ist laenger als " + std::to_string(longestWord) + " Zeichen.");
    }
    return true;
}

std::string ScriptReader::name() {
    std::string word;
    if (!readWord(word, "Der ", "Name")) {
        fail(announced == 1 ? "Das Skript endet vor dem Namen; angekuendigt ist 1 Testfall."
                            : "Das Skript endet vor dem Namen; angekuendigt sind " +
                                  std::to_string(announced) + " Testfaelle.");
    }
    caseName = word;
    return word;
}

std::string ScriptReader::typeWord() {
    std::string word;
    if (!readWord(word, "Die ", "Typangabe")) {
        fail("Das Skript endet vor der Typangabe.");
    }
    return word;
}

Sizes ScriptReader::sizes(MatrixRole role) {
    const std::uint32_t rows = count(std::string("Zeilenanzahl ") + role.genitive, 1);
    const std::uint32_t columns = count(std::string("Spaltenanzahl ") + role.genitive, 1);
    return {rows, columns};
}

// A whole word, so that "2x" or "-1" is refused rather than read in part or wrapped around.
std::uint32_t ScriptReader::count(const std::string& what, std::uint32_t minimum) {
    std::string word;
    if (!readWord(word, "Die ", what)) {
        fail("Das Skript endet vor der " + what + ".");
    }
    std::size_t position = word[0] == '+' ? 1 : 0;
    bool valid = position < word.size();
    std::uint64_t value = 0;
    for (; valid && position < word.size(); ++position) {
        const char digit = word[position];
        if (digit < '0' || digit > '9') {
            valid = false;
        } else {
            value = value * 10 + static_cast<std::uint64_t>(digit - '0');
            valid = value <= std::numeric_limits<std::uint32_t>::max();
        }
    }
    if (!valid || value < minimum) {
        fail("Die " + what + " muss eine ganze Zahl von " + std::to_string(minimum) + " bis " +
             std::to_string(std::numeric_limits<std::uint32_t>::max()) + " sein, gelesen wurde \"" +
             quotedWord(word) + "\".");
    }
    return static_cast<std::uint32_t>(value);
}

void ScriptReader::fail(const std::string& what) const {
    std::string message = "Fehler im Testskript";
    if (caseNumber != 0) {
        message += " bei Testfall " + std::to_string(caseNumber);
        if (!caseName.empty()) {
            message += " (" + quotedWord(caseName) + ")";
        }
    }
    throw ScriptError{message + ": " + what};
}

void ScriptReader::failMemory(Sizes sizes, MatrixRole role) const {
    fail(std::string("Fuer ") + role.accusative + " mit " + std::to_string(sizes.rows) + " x " +
         std::to_string(sizes.columns) + " Elementen reicht der Speicher nicht.");
}

void ScriptReader::failSolverMemory(Sizes system) const {
    failMemory(system, solverCopies);
}

void ScriptReader::failCaseMemory() const {
    fail("Fuer diesen Testfall reicht der Speicher nicht.");
}

void ScriptReader::failEntry(std::uint32_t row, std::uint32_t column, MatrixRole role,
                             const char* before, const std::string& after) const {
    fail(before + ("Element (" + std::to_string(row) + "," + std::to_string(column) + ") ") +
         role.genitive + after);
}

}  // namespace zifferon::probelauf
