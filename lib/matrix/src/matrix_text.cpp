// The stream operators of the matrices, compiled here for the four element types.
#include <cstdint>

#include "zifferon/matrix/element_writer.hpp"
#include "zifferon/matrix/matrix_io.hpp"

namespace zifferon {

// The numbers go through an ElementWriter, which formats them itself when the stream's format
// allows and leaves them to the stream otherwise.
template <class T>
std::ostream& operator<<(std::ostream& out, const MatrixVector<T>& matrix) {
    ElementWriter writer(out);
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            writer.put(matrix.element(i, j));
            writer.put('\t');
        }
        writer.put('\n');
    }
    writer.flush();
    return out;
}

template <class T>
std::istream& operator>>(std::istream& in, MatrixVector<T>& matrix) {
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            in >> matrix.element(i, j);
        }
    }
    return in;
}

template std::ostream& operator<<(std::ostream&, const MatrixVector<float>&);
template std::ostream& operator<<(std::ostream&, const MatrixVector<double>&);
template std::ostream& operator<<(std::ostream&, const MatrixVector<Complex>&);
template std::ostream& operator<<(std::ostream&, const MatrixVector<Bruch>&);
template std::istream& operator>>(std::istream&, MatrixVector<float>&);
template std::istream& operator>>(std::istream&, MatrixVector<double>&);
template std::istream& operator>>(std::istream&, MatrixVector<Complex>&);
template std::istream& operator>>(std::istream&, MatrixVector<Bruch>&);

}  // namespace zifferon
