// The console face of Matrix<T>: the size dialog, the value dialog and the properties report.
// These are Matrix<T>'s only members not defined in its header, so the class is compiled here.
#include <cstdint>
#include <ostream>
#include <string>

#include "zifferon/console/console.hpp"
#include "zifferon/matrix/console_input.hpp"
#include "zifferon/matrix/matrix.hpp"
#include "zifferon/matrix/matrix_io.hpp"
#include "zifferon/matrix/print_error.hpp"
#include "zifferon/matrix/screen_header.hpp"

namespace zifferon {

template <class T>
void Matrix<T>::readSize(console::Console& console) {
    writeScreenHeader(console, "Geben Sie bitte folgende Daten ein:");
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    console.out() << "Anzahl der Zeilen = ";
    readTypedValue(console.in(), rows, wholeNumberInputError);
    console.out() << "Anzahl der Spalten = ";
    readTypedValue(console.in(), columns, wholeNumberInputError);
    try {
        // A negative count is refused here, before it could reach resize as a huge one.
        if (rows < 1 || columns < 1) {
            throw MatrixException(MatrixError::SizeBelowOne);
        }
        this->resize(static_cast<std::uint32_t>(rows), static_cast<std::uint32_t>(columns));
    } catch (const MatrixException& error) {
        printError(error, console);
        console.pause();
    }
}

template <class T>
void Matrix<T>::readValues(console::Console& console, std::string prompt) {
    writeScreenHeader(console);
    std::ostream& out = console.out();
    out << "Brueche sind in der Form 1/2 einzugeben, \n"
           "also Zaehler und Nenner durch einen Schraegstrich getrennt.\n"
           "\n"
           "Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. \n"
           "Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und \n"
           "das Ganze muss in Klammern eingeschlossen werden.\n"
           "\n"
        << prompt << "\n\n";
    for (std::uint32_t i = 1; i <= this->getRows(); ++i) {
        for (std::uint32_t j = 1; j <= this->getColumns(); ++j) {
            out << "Zeile " << i << " , Spalte " << j << " = ";
            readTypedValue(console.in(), this->element(i, j), elementInputError<T>());
        }
    }
}

template <class T>
void Matrix<T>::printProperties(console::Console& console) {
    const auto answer = [](bool yes) { return yes ? "Ja" : "Nein"; };
    const std::uint32_t rows = this->getRows();
    const std::uint32_t columns = this->getColumns();
    const char* triangle = this->isDiagonalMatrix()
                               ? "Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix)"
                           : this->isUpperTriangular() ? "obere"
                           : this->isLowerTriangular() ? "untere"
                                                       : "keine";
    writeScreenHeader(console, "Eigenschaften der Matrix:");
    console.out() << "Zeilen:" << rows << '\n'
                  << "Spalten: " << columns << '\n'
                  << "quadratische Matrix: " << answer(rows == columns) << '\n'
                  << "Nullmatrix: " << answer(this->isZeroMatrix()) << '\n'
                  << "Einheitsmatrix: " << answer(this->isIdentityMatrix()) << '\n'
                  << "Skalarmatrix: " << answer(this->isScalarMatrix()) << '\n'
                  << "Dreiecksmatrix: " << triangle << '\n'
                  << "Spaltenvektor: " << answer(columns == 1 && rows > 1) << '\n'
                  << "Zeilenvektor: " << answer(rows == 1 && columns > 1) << '\n'
                  << "\nWerte der Matrix: \n\n"
                  << static_cast<const MatrixVector<T>&>(*this) << '\n';
    console.pause();
}

template class Matrix<float>;
template class Matrix<double>;
template class Matrix<Complex>;
template class Matrix<Bruch>;

}  // namespace zifferon
