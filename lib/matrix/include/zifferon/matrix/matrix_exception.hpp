#pragma once

#include <cstddef>
#include <cstdint>

namespace zifferon {

// The library's error numbers, grouped by layer: 1xx storage and access, 2xx arithmetic,
// 3xx determinant and inverse, 4xx equation solver.
enum class MatrixError : std::int32_t {
    SizeBelowOne = 100,
    IndexOutOfRange = 103,
    SizeMismatch = 104,
    ColumnOutOfRange = 106,
    ProductSizeMismatch = 200,
    VectorRowMismatch = 201,
    SumSizeMismatch = 202,
    DifferenceSizeMismatch = 203,
    NotColumnVectors = 204,
    NotSquare = 300,
    NoInverse = 301,
    ConstantsNotColumnVector = 400,
    ResultNotColumnVector = 401,
    ResultRowMismatch = 402,
    EquationCountMismatch = 403,
};

// The fixed German message of an error number.
const char* messageOf(MatrixError error);

// The failure of a matrix operation: an error number and its message.
//
// It deliberately has no base class, so a handler for std::exception does not take it.
// Both fields are public: handlers read them, and the object is a plain value.
class MatrixException {
public:
    static constexpr std::size_t messageCapacity = 255;  // terminating zero included

    explicit MatrixException(MatrixError error);
    // Copies at most messageCapacity - 1 characters of the text; a longer text is cut.
    MatrixException(std::int32_t errorCode, const char* message);
    MatrixException(const MatrixException& other);
    MatrixException& operator=(const MatrixException& other) = default;
    virtual ~MatrixException() = default;

    std::int32_t errorCode;
    char message[messageCapacity];
};

}  // namespace zifferon
