#include "table_format.hpp"

#include <cstdint>

#include "zifferon/matrix/element_writer.hpp"

namespace zifferon::serienlauf {

template <class T>
void writeTableCell(std::ostream& out, const MatrixVector<T>& matrix) {
    ElementWriter writer(out);
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        if (i > 1) {
            writer.put(" ; ");
        }
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            if (j > 1) {
                writer.put(" , ");
            }
            writer.put(matrix.element(i, j));
        }
    }
    writer.flush();
}

void writeDate(std::ostream& out, const console::CalendarDate& date) {
    out << date.day << '.' << date.month << '.' << date.year;
}

template void writeTableCell(std::ostream&, const MatrixVector<float>&);
template void writeTableCell(std::ostream&, const MatrixVector<double>&);
template void writeTableCell(std::ostream&, const MatrixVector<Complex>&);
template void writeTableCell(std::ostream&, const MatrixVector<Bruch>&);

}  // namespace zifferon::serienlauf
