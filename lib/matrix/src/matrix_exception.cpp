#include "zifferon/matrix/matrix_exception.hpp"

#include <string_view>

namespace zifferon {

const char* messageOf(MatrixError error) {
    switch (error) {
        case MatrixError::SizeBelowOne:
            return "Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.";
        case MatrixError::IndexOutOfRange:
            return "Zeilen- und/oder Spaltenangabe lag ausserhalb des Definitionsbereiches der "
                   "Matrix.";
        case MatrixError::SizeMismatch:
            return "Die Zeilen- und Spaltenanzahl der Matrizen stimmen nicht ueberein.";
        case MatrixError::ColumnOutOfRange:
            return "Die Spaltenangabe lag ausserhalb des Definitionsbereiches der Matrix.";
        case MatrixError::ProductSizeMismatch:
            return "Die Spaltenanzahl der Matrix 1 stimmt nicht mit der Zeilenanzahl der Matrix 2 "
                   "ueberein.";
        case MatrixError::VectorRowMismatch:
            return "Bei den Spaltenvektoren liegt keine gleiche Anzahl an Zeilen vor, daher kann "
                   "das Vektorprodukt nicht gebildet werden.";
        case MatrixError::SumSizeMismatch:
            return "Die beiden zu addierenden Matrizen stimmen nicht in der Anzahl der Zeilen und "
                   "Spalten ueberein.";
        case MatrixError::DifferenceSizeMismatch:
            return "Die beiden zu subtrahierenden Matrizen stimmen nicht in der Anzahl der Zeilen "
                   "und Spalten ueberein.";
        case MatrixError::NotColumnVectors:
            return "Es wurde versucht ein Vektorprodukt zu berechnen, obwohl keine Spaltenvektoren "
                   "vorlagen.";
        case MatrixError::NotSquare:
            return "Es liegt keine quadratische Matrix vor.";
        case MatrixError::NoInverse:
            return "Zu dieser Matrix gibt es keine Inverse (Determinante = 0).";
        case MatrixError::ConstantsNotColumnVector:
            return "Die Matrix mit den absoluten Gliedern ist kein Spaltenvektor.";
        case MatrixError::ResultNotColumnVector:
            return "Die Ergebnismatrix ist kein Spaltenvektor.";
        case MatrixError::ResultRowMismatch:
            return "Die Anzahl absoluter Glieder stimmt nicht mit der Zeilenanzahl des "
                   "Loesungsvektors ueberein.";
        case MatrixError::EquationCountMismatch:
            return "Die Anzahl der absoluten Glieder stimmt nicht mit der Anzahl Gleichungen in "
                   "der Koeffizientenmatrix ueberein.";
    }
    return "";
}

MatrixException::MatrixException(MatrixError error)
    : MatrixException(static_cast<std::int32_t>(error), messageOf(error)) {}

MatrixException::MatrixException(std::int32_t errorCode, const char* text)
    : errorCode(errorCode), message{} {
    const std::string_view kept =
        std::string_view(text != nullptr ? text : "").substr(0, messageCapacity - 1);
    kept.copy(message, kept.size());
}

MatrixException::MatrixException(const MatrixException& other)
    : MatrixException(other.errorCode, other.message) {}

}  // namespace zifferon
