#pragma once

#include <cstdint>
#include <string>

namespace zifferon::console {

// The ANSI SGR sequence that shows a Windows text attribute: foreground and background colour,
// bright colours as the 90/100 range.
std::string sgrSequence(std::uint8_t attribute);

// Back to the terminal's own colours.
inline constexpr char sgrReset[] = "\x1b[0m";

}  // namespace zifferon::console
