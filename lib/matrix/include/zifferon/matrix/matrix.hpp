#pragma once

#include <cstdint>
#include <string>

#include "zifferon/matrix/matrix_arithmetic.hpp"
#include "zifferon/matrix/matrix_io.hpp"
#include "zifferon/matrix/matrix_math.hpp"
#include "zifferon/matrix/solve_status.hpp"

namespace zifferon {

namespace console {
class Console;
}

// The matrix that programs hold: storage with both operation layers, sharing one
// MatrixVector<T>.
template <class T>
class Matrix : public MatrixArithmetic<T>, public MatrixMath<T> {
public:
    // The virtual base is built here, by the most derived class; the layers add no data.
    Matrix() = default;
    Matrix(std::uint32_t rows, std::uint32_t columns) : MatrixVector<T>(rows, columns) {}
    // Also the move constructor: moving keeps the source as it is (see MatrixVector).
    Matrix(const Matrix& other) = default;
    // Assignment is the storage's: equal sizes only, else error 104. Written out so that the
    // shared base is assigned once, not once per layer.
    Matrix& operator=(const MatrixVector<T>& other) {
        MatrixVector<T>::operator=(other);
        return *this;
    }
    Matrix& operator=(const Matrix& other) {
        MatrixVector<T>::operator=(other);
        return *this;
    }
    // Exchanges the elements of two matrices of equal size, else error 104 (see MatrixVector).
    Matrix& operator=(Matrix&& other) {
        this->exchangeElements(other);
        return *this;
    }
    ~Matrix() override = default;

    // The three dialogs on a console of the terminal layer, for the programs; defined in the
    // library.
    //
    // The size dialog: asks for the row and the column count and resizes (see resize). A count
    // below 1 is shown as error 100, followed by the pause, and changes nothing. Text that is
    // not a whole number throws wholeNumberInputError.
    void readSize(console::Console& console);
    // The value dialog: the input help, the prompt, then every element row by row. Text that is
    // not an element throws its input error text; the elements read before it keep their
    // values.
    void readValues(console::Console& console, std::string prompt);
    // The properties report: size, seven structural answers, the values, then the pause.
    void printProperties(console::Console& console);
};

extern template class Matrix<float>;
extern template class Matrix<double>;
extern template class Matrix<Complex>;
extern template class Matrix<Bruch>;

}  // namespace zifferon
