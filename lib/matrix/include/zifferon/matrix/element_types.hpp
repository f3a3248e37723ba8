#pragma once

#include <complex>

#include "zifferon/number/bruch.hpp"

namespace zifferon {

// The library's class templates exist for exactly four element types:
// float, double, Complex and Bruch.
using Complex = std::complex<double>;

}  // namespace zifferon
