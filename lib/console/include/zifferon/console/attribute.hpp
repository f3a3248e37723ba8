#pragma once

#include <cstdint>
#include <string>

namespace zifferon::console {

// The ANSI SGR sequence that shows a Windows text attribute: foreground and background colour,
// bright colours as the 90/100 range. The console's normal attribute (7, light grey on black in
// a Windows console) is the terminal's own default colours, so that a light theme stays light.
std::string sgrSequence(std::uint8_t attribute);

// The terminal's default foreground and background colours.
inline constexpr char sgrDefaultColours[] = "\x1b[39;49m";

// Back to the terminal's own colours.
inline constexpr char sgrReset[] = "\x1b[0m";

// Inverse video on and off: the highlight on a terminal that takes escape sequences but is to
// show no colours (NO_COLOR).
inline constexpr char sgrInverse[] = "\x1b[7m";
inline constexpr char sgrInverseOff[] = "\x1b[27m";

}  // namespace zifferon::console
