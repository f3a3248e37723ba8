#pragma once

#include <cstddef>
#include <string>

namespace zifferon::console {

// What the terminal shows since the screen was last cleared, kept so that the screen can be
// drawn again after the program was stopped and continued. A screen too large to keep is not
// redrawn.
class ScreenRecord {
public:
    void restart() {
        text.clear();
        complete = true;
    }
    void append(const char* bytes, std::size_t count);
    bool usable() const { return complete && !text.empty(); }
    const std::string& bytes() const { return text; }

private:
    static constexpr std::size_t largest = std::size_t{1} << 20;
    std::string text;
    bool complete = false;
};

}  // namespace zifferon::console
