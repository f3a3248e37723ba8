#include <cstdint>

#include "zifferon/matrix/element_writer.hpp"
#include "zifferon/matrix/matrix_io.hpp"

namespace zifferon::detail {

namespace {

template <class T>
void writeRows(std::ostream& out, const MatrixVector<T>& matrix) {
    ElementWriter writer(out);
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            writer.put(matrix.element(i, j));
            writer.put('\t');
        }
        writer.put('\n');
    }
    writer.flush();
}

}  // namespace

void writeMatrix(std::ostream& out, const MatrixVector<float>& matrix) {
    writeRows(out, matrix);
}

void writeMatrix(std::ostream& out, const MatrixVector<double>& matrix) {
    writeRows(out, matrix);
}

void writeMatrix(std::ostream& out, const MatrixVector<Complex>& matrix) {
    writeRows(out, matrix);
}

void writeMatrix(std::ostream& out, const MatrixVector<Bruch>& matrix) {
    writeRows(out, matrix);
}

}  // namespace zifferon::detail
