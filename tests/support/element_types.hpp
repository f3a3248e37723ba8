#pragma once

#include <gtest/gtest.h>

#include "zifferon/matrix/element_types.hpp"

namespace zifferon::testing {

// The four element types, for typed tests that run once per type.
using ElementTypes = ::testing::Types<float, double, Complex, Bruch>;

}  // namespace zifferon::testing
