#pragma once

#include <cstdint>
#include <istream>
#include <ostream>

#include "zifferon/matrix/element_types.hpp"
#include "zifferon/matrix/matrix_vector.hpp"

namespace zifferon {

namespace detail {
// The text of operator<<, compiled in the library for the four element types: it formats the
// numbers itself when the stream's format allows and leaves them to the stream otherwise.
void writeMatrix(std::ostream& out, const MatrixVector<float>& matrix);
void writeMatrix(std::ostream& out, const MatrixVector<double>& matrix);
void writeMatrix(std::ostream& out, const MatrixVector<Complex>& matrix);
void writeMatrix(std::ostream& out, const MatrixVector<Bruch>& matrix);
}  // namespace detail

// Writes the matrix row by row: every element as `out << element` writes it, in the stream's
// current format (so a caller's precision applies), followed by a tab, every row ended by a
// line break. No width, no header.
template <class T>
std::ostream& operator<<(std::ostream& out, const MatrixVector<T>& matrix) {
    detail::writeMatrix(out, matrix);
    return out;
}

// Reads every element of the matrix in its current size, row by row, with the element type's
// own extraction: a plain number; for Complex also "(re,im)" or "(re)"; for Bruch "p/q", kept
// unreduced as typed. The stream's state is neither tested nor cleared. A fraction input error
// reaches the caller, and the elements read before it keep their new values.
template <class T>
std::istream& operator>>(std::istream& in, MatrixVector<T>& matrix) {
    for (std::uint32_t i = 1; i <= matrix.getRows(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumns(); ++j) {
            in >> matrix.element(i, j);
        }
    }
    return in;
}

extern template std::ostream& operator<<(std::ostream&, const MatrixVector<float>&);
extern template std::ostream& operator<<(std::ostream&, const MatrixVector<double>&);
extern template std::ostream& operator<<(std::ostream&, const MatrixVector<Complex>&);
extern template std::ostream& operator<<(std::ostream&, const MatrixVector<Bruch>&);
extern template std::istream& operator>>(std::istream&, MatrixVector<float>&);
extern template std::istream& operator>>(std::istream&, MatrixVector<double>&);
extern template std::istream& operator>>(std::istream&, MatrixVector<Complex>&);
extern template std::istream& operator>>(std::istream&, MatrixVector<Bruch>&);

}  // namespace zifferon
