#include "zifferon/console/input_buffer.hpp"

#include <algorithm>
#include <cstring>

namespace zifferon::console {

int InputBuffer::lastConsumed() const {
    return gptr() > eback() ? static_cast<unsigned char>(gptr()[-1]) : -1;
}

bool InputBuffer::waitForInput(std::chrono::milliseconds /*timeout*/) {
    return sgetc() != traits_type::eof();
}

InputBuffer::int_type InputBuffer::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    if (ended) {
        return traits_type::eof();
    }
    // Keep the last bytes before the new data for putback and for lastConsumed().
    const std::size_t keep =
        std::min(putbackSize, static_cast<std::size_t>(gptr() != nullptr ? gptr() - eback() : 0));
    char* const start = buffer.data() + putbackSize;
    if (keep > 0) {
        std::memmove(start - keep, gptr() - keep, keep);
    }
    if (shownFirst != nullptr) {
        shownFirst->flush();
    }
    const std::size_t count = readSource(start, capacity);
    if (count == 0) {
        ended = true;
        setg(start - keep, start, start);
        return traits_type::eof();
    }
    filled += count;
    setg(start - keep, start, start + count);
    return traits_type::to_int_type(*gptr());
}

std::size_t StringInput::readSource(char* target, std::size_t capacity) {
    const std::size_t count = std::min(capacity, text.size() - position);
    std::memcpy(target, text.data() + position, count);
    position += count;
    return count;
}

}  // namespace zifferon::console
