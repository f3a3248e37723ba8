#pragma once

#include <ios>
#include <locale>

namespace zifferon {

// Whether a stream is in the plain state in which it reads and writes numbers in its default
// way: the default flags (skipws and dec, nothing else) and the classic locale. The element
// writer and probelauf's entry scanner then do the stream's work themselves, with the same
// result; in any other state they leave the numbers to the stream.
inline bool isPlainStream(const std::ios_base& stream) {
    return stream.flags() == (std::ios_base::skipws | std::ios_base::dec) &&
           stream.getloc() == std::locale::classic();
}

}  // namespace zifferon
