#pragma once

#include <cstddef>

#include "output_buffer.hpp"
#include "screen_record.hpp"

namespace zifferon::console {

// The sink of an OutputBuffer on one of the platform's files. A backend supplies the file's
// handle type and `writeAll`, which writes all of the given bytes and returns 0, or the
// system's error number when it could not. What reaches the screen is also kept in `record`,
// when there is one.
template <class File, int (*writeAll)(File, const char*, std::size_t)>
struct FileSink {
    File file;
    ScreenRecord* record = nullptr;

    int operator()(const char* text, std::size_t count) const {
        if (record != nullptr) {
            record->append(text, count);
        }
        return writeAll(file, text, count);
    }
};

// Output to one of the platform's files (see OutputBuffer).
template <class File, int (*writeAll)(File, const char*, std::size_t)>
using FileOutput = OutputBuffer<FileSink<File, writeAll>>;

}  // namespace zifferon::console
