#pragma once

#include <ios>
#include <ostream>
#include <type_traits>

#include "zifferon/console/system.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon::serienlauf {

// How the mass tests' table writes its values.

// Significant digits of every floating-point value in the table.
template <class T>
inline constexpr std::streamsize tablePrecision = std::is_same_v<T, float> ? 8 : 16;

// A matrix as one cell: entries of a row joined by " , ", rows by " ; ", each entry at the
// stream's precision (the table sets tablePrecision once, before its first row).
template <class T>
void writeTableCell(std::ostream& out, const MatrixVector<T>& matrix);

// The date as D.M.YYYY without leading zeros.
void writeDate(std::ostream& out, const console::CalendarDate& date);

extern template void writeTableCell(std::ostream&, const MatrixVector<float>&);
extern template void writeTableCell(std::ostream&, const MatrixVector<double>&);
extern template void writeTableCell(std::ostream&, const MatrixVector<Complex>&);
extern template void writeTableCell(std::ostream&, const MatrixVector<Bruch>&);

}  // namespace zifferon::serienlauf
