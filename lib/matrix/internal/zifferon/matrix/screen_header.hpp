#pragma once

#include "zifferon/console/console.hpp"

namespace zifferon {

inline constexpr const char* bannerLine = "Zifferon   Version 1.8.6";

// Starts a screen: clears the console, writes the banner line and an empty line; with a title,
// one more empty line, the title and an empty line.
void writeScreenHeader(console::Console& console, const char* title = nullptr);

}  // namespace zifferon
