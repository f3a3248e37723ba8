#pragma once

#include <istream>
#include <ostream>

#include "zifferon/matrix/element_types.hpp"
#include "zifferon/matrix/matrix_vector.hpp"

namespace zifferon {

// Writes the matrix row by row: every element as `out << element` writes it, in the stream's
// current format (so a caller's precision applies), followed by a tab, every row ended by a
// line break. No width, no header.
template <class T>
std::ostream& operator<<(std::ostream& out, const MatrixVector<T>& matrix);

// Reads every element of the matrix in its current size, row by row, with the element type's
// own extraction: a plain number; for Complex also "(re,im)" or "(re)"; for Bruch "p/q", kept
// unreduced as typed. The stream's state is neither tested nor cleared. A fraction input error
// reaches the caller, and the elements read before it keep their new values.
template <class T>
std::istream& operator>>(std::istream& in, MatrixVector<T>& matrix);

extern template std::ostream& operator<<(std::ostream&, const MatrixVector<float>&);
extern template std::ostream& operator<<(std::ostream&, const MatrixVector<double>&);
extern template std::ostream& operator<<(std::ostream&, const MatrixVector<Complex>&);
extern template std::ostream& operator<<(std::ostream&, const MatrixVector<Bruch>&);
extern template std::istream& operator>>(std::istream&, MatrixVector<float>&);
extern template std::istream& operator>>(std::istream&, MatrixVector<double>&);
extern template std::istream& operator>>(std::istream&, MatrixVector<Complex>&);
extern template std::istream& operator>>(std::istream&, MatrixVector<Bruch>&);

}  // namespace zifferon
