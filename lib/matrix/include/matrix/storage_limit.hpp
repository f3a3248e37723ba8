#pragma once

#include <cstddef>
#include <cstdint>

namespace zifferon {

// Throws std::bad_alloc when rows x columns elements of elementSize bytes, plus one row header
// of rowSize bytes per row, would need more than the machine's physical memory. Called before
// anything is allocated: on Linux an oversized allocation is not refused but ends the process.
void requireStorage(std::uint64_t rows, std::uint64_t columns, std::size_t elementSize,
                    std::size_t rowSize);

}  // namespace zifferon
