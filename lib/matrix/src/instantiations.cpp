// The layers of the matrix class templates, and the stream operators, are compiled once here, for
// each of the four element types; the headers declare these instantiations extern. Matrix<T>
// itself is compiled with its dialogs (matrix_dialogs.cpp).
#include "zifferon/matrix/matrix.hpp"

namespace zifferon {

template class MatrixVector<float>;
template class MatrixVector<double>;
template class MatrixVector<Complex>;
template class MatrixVector<Bruch>;

template class MatrixArithmetic<float>;
template class MatrixArithmetic<double>;
template class MatrixArithmetic<Complex>;
template class MatrixArithmetic<Bruch>;

template class MatrixMath<float>;
template class MatrixMath<double>;
template class MatrixMath<Complex>;
template class MatrixMath<Bruch>;

template std::ostream& operator<<(std::ostream&, const MatrixVector<float>&);
template std::ostream& operator<<(std::ostream&, const MatrixVector<double>&);
template std::ostream& operator<<(std::ostream&, const MatrixVector<Complex>&);
template std::ostream& operator<<(std::ostream&, const MatrixVector<Bruch>&);
template std::istream& operator>>(std::istream&, MatrixVector<float>&);
template std::istream& operator>>(std::istream&, MatrixVector<double>&);
template std::istream& operator>>(std::istream&, MatrixVector<Complex>&);
template std::istream& operator>>(std::istream&, MatrixVector<Bruch>&);

}  // namespace zifferon
