#include "zifferon/matrix/matrix_exception.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace zifferon {
namespace {

struct CatalogueEntry {
    MatrixError error;
    int number;
    const char* message;
};

// The message catalogue as the programs must show it, byte for byte.
const CatalogueEntry catalogue[] = {
    {MatrixError::SizeBelowOne, 100,
     "Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1."},
    {MatrixError::IndexOutOfRange, 103,
     "Zeilen- und/oder Spaltenangabe lag ausserhalb des Definitionsbereiches der Matrix."},
    {MatrixError::SizeMismatch, 104,
     "Die Zeilen- und Spaltenanzahl der Matrizen stimmen nicht ueberein."},
    {MatrixError::ColumnOutOfRange, 106,
     "Die Spaltenangabe lag ausserhalb des Definitionsbereiches der Matrix."},
    {MatrixError::ProductSizeMismatch, 200,
     "Die Spaltenanzahl der Matrix 1 stimmt nicht mit der Zeilenanzahl der Matrix 2 ueberein."},
    {MatrixError::VectorRowMismatch, 201,
     "Bei den Spaltenvektoren liegt keine gleiche Anzahl an Zeilen vor, daher kann das "
     "Vektorprodukt nicht gebildet werden."},
    {MatrixError::SumSizeMismatch, 202,
     "Die beiden zu addierenden Matrizen stimmen nicht in der Anzahl der Zeilen und Spalten "
     "ueberein."},
    {MatrixError::DifferenceSizeMismatch, 203,
     "Die beiden zu subtrahierenden Matrizen stimmen nicht in der Anzahl der Zeilen und Spalten "
     "ueberein."},
    {MatrixError::NotColumnVectors, 204,
     "Es wurde versucht ein Vektorprodukt zu berechnen, obwohl keine Spaltenvektoren vorlagen."},
    {MatrixError::NotSquare, 300, "Es liegt keine quadratische Matrix vor."},
    {MatrixError::NoInverse, 301, "Zu dieser Matrix gibt es keine Inverse (Determinante = 0)."},
    {MatrixError::ConstantsNotColumnVector, 400,
     "Die Matrix mit den absoluten Gliedern ist kein Spaltenvektor."},
    {MatrixError::ResultNotColumnVector, 401, "Die Ergebnismatrix ist kein Spaltenvektor."},
    {MatrixError::ResultRowMismatch, 402,
     "Die Anzahl absoluter Glieder stimmt nicht mit der Zeilenanzahl des Loesungsvektors "
     "ueberein."},
    {MatrixError::EquationCountMismatch, 403,
     "Die Anzahl der absoluten Glieder stimmt nicht mit der Anzahl Gleichungen in der "
     "Koeffizientenmatrix ueberein."},
};

TEST(MatrixException, EveryErrorCarriesItsNumberAndMessage) {
    for (const CatalogueEntry& entry : catalogue) {
        const MatrixException error(entry.error);
        EXPECT_EQ(error.errorCode, entry.number);
        EXPECT_STREQ(error.message, entry.message);
        EXPECT_LE(std::strlen(error.message), 254U);
    }
}

TEST(MatrixException, CopyKeepsNumberAndFullMessage) {
    try {
        throw MatrixException(MatrixError::EquationCountMismatch);
    } catch (const MatrixException& caught) {
        const MatrixException copy = caught;
        EXPECT_EQ(copy.errorCode, 403);
        EXPECT_STREQ(copy.message, catalogue[14].message);
    }
}

TEST(MatrixException, IsNotAStandardException) {
    static_assert(!std::is_base_of_v<std::exception, MatrixException>);
    static_assert(std::is_polymorphic_v<MatrixException>);
    bool caughtAsMatrixException = false;
    try {
        try {
            throw MatrixException(MatrixError::NotSquare);
        } catch (const std::exception&) {
            FAIL() << "taken by a handler for standard exceptions";
        }
    } catch (const MatrixException&) {
        caughtAsMatrixException = true;
    }
    EXPECT_TRUE(caughtAsMatrixException);
}

TEST(MatrixException, LongMessagesAreCutTo254Characters) {
    const std::string exact(254, 'a');
    EXPECT_EQ(std::string(MatrixException(1, exact.c_str()).message), exact);
    const std::string longer = exact + "bcd";
    EXPECT_EQ(std::string(MatrixException(1, longer.c_str()).message), exact);
}

}  // namespace
}  // namespace zifferon
