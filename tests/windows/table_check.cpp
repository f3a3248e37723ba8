// Checks a mass-test table read from standard input row by row. A run that was stopped leaves
// its last line unfinished; that line is left out. Writes the number of rows and the dates of
// the first and the last row; faults go to the error stream and make the exit status 1.
//
// Usage: table_check q|z|f|d < table
#include <iterator>
#include <string>
#include <string_view>

#include "table_validator.hpp"
#include "zifferon/console/standard_console.hpp"
#include "zifferon/matrix/element_types.hpp"

namespace {

template <class T>
int check(const std::string& table, zifferon::console::Console& console) {
    const zifferon::testing::TableSummary summary = zifferon::testing::validateTable<T>(table);
    console.out() << "rows " << summary.rows << "\nfirst " << summary.firstDate << "\nlast "
                  << summary.lastDate << '\n';
    for (const std::string& fault : summary.faults) {
        console.err() << fault << '\n';
    }
    return summary.faults.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    zifferon::console::Console& console = zifferon::console::standardConsole();
    std::string table{std::istreambuf_iterator<char>(console.in()),
                      std::istreambuf_iterator<char>()};
    const std::size_t lastLineEnd = table.rfind('\n');
    table.erase(lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);

    const std::string_view type = argc == 2 ? argv[1] : "";
    if (type == "q") {
        return check<zifferon::Bruch>(table, console);
    }
    if (type == "z") {
        return check<zifferon::Complex>(table, console);
    }
    if (type == "f") {
        return check<float>(table, console);
    }
    if (type == "d") {
        return check<double>(table, console);
    }
    console.err() << "usage: table_check q|z|f|d < table\n";
    return 2;
}
