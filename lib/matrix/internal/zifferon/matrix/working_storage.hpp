#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "zifferon/matrix/blocked_elimination.hpp"
#include "zifferon/matrix/storage_limit.hpp"

// What the operations allocate beside their operands, for the check made before they start
// (requireMemory).
namespace zifferon {

// rows x columns elements that an operation allocates.
struct StorageBlock {
    std::uint64_t rows;
    std::uint64_t columns;
};

// The bytes of all the blocks, of elements of elementSize bytes; std::bad_alloc beyond 2^64.
std::uint64_t blockBytes(std::initializer_list<StorageBlock> blocks, std::size_t elementSize);

// The peak of what an operation of the linear-algebra layer allocates, everything it holds at
// once counted together. A copy is counted even where a small matrix is worked on without
// allocating, or a triangular one needs none.

// The determinant: the working copy it triangulates.
template <class T>
std::uint64_t determinantStorage(std::uint64_t order) {
    return blockBytes({{order, order}}, sizeof(T));
}

// The adjugate, and the inverse once its determinant is known: a minor, the result, and the
// minor's working copy for its determinant.
template <class T>
std::uint64_t adjugateStorage(std::uint64_t order) {
    const std::uint64_t minor = order > 0 ? order - 1 : 0;
    return blockBytes({{minor, minor}, {order, order}, {minor, minor}}, sizeof(T));
}

// The solver: copies of the coefficients and the constants, and the blocked elimination's
// factors; a system wider than tall may start again from fresh copies, made while the old ones
// are still held.
template <class T>
std::uint64_t solveStorage(std::uint64_t rows, std::uint64_t columns) {
    const std::uint64_t restart = columns > rows ? rows : 0;
    return blockBytes({{rows, columns},
                       {rows, 1},
                       {rows, BlockedElimination<T>::blockSize},
                       {restart, columns},
                       {restart, 1}},
                      sizeof(T));
}

}  // namespace zifferon
