#include "screen_record.hpp"

namespace zifferon::console {

void ScreenRecord::append(const char* bytes, std::size_t count) {
    if (!complete) {
        return;
    }
    if (text.size() + count > largest) {
        complete = false;
        text = std::string();
        return;
    }
    text.append(bytes, count);
}

}  // namespace zifferon::console
