#pragma once

#include <cstddef>
#include <type_traits>

namespace zifferon::detail {

// A matrix order known at compile time: the loops over a small matrix unroll completely.
template <std::size_t N>
using FixedOrder = std::integral_constant<std::size_t, N>;

// action(order) with the order n of a square matrix of T as a FixedOrder for the smallest
// ones, where an element operation is a few instructions and the loop overhead would dominate;
// as a std::size_t otherwise. Always inlined: as a call of its own it took a 3 x 3 float
// system nearly twice as long.
template <class T, class Action>
[[gnu::always_inline]] inline decltype(auto) withOrder(std::size_t n, Action&& action) {
    if constexpr (std::is_trivially_copyable_v<T>) {
        switch (n) {
            case 2:
                return action(FixedOrder<2>{});
            case 3:
                return action(FixedOrder<3>{});
            case 4:
                return action(FixedOrder<4>{});
            default:
                break;
        }
    }
    return action(n);
}

}  // namespace zifferon::detail
