// The AVX2 row kernels against the portable loops, bit for bit: every length up to a few
// vector widths past the tail, starts off the vector alignment, and operands that make
// signed zeros, infinities, NaNs and subnormal numbers. The algebra tests run whichever set the
// processor picks, and mostly on rows too short for the kernels; only here do both run.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "zifferon/matrix/row_kernel_sets.hpp"
#include "zifferon/matrix/row_kernels.hpp"

namespace zifferon {
namespace {

using row_kernels::Kernels;

// A NaN from two NaN operands carries the sign and payload of one of them, and which one
// depends on the operand order the compiler picks for the instruction; it differs even between
// two copies of the same loop. Every other result must agree bit for bit.
template <class F>
bool sameBits(F left, F right) {
    if (std::isnan(left) && std::isnan(right)) {
        return true;
    }
    if constexpr (sizeof(F) == 4) {
        return std::bit_cast<std::uint32_t>(left) == std::bit_cast<std::uint32_t>(right);
    } else {
        return std::bit_cast<std::uint64_t>(left) == std::bit_cast<std::uint64_t>(right);
    }
}

bool sameBits(const Complex& left, const Complex& right) {
    return sameBits(left.real(), right.real()) && sameBits(left.imag(), right.imag());
}

template <class F>
std::string bitsOf(F value) {
    std::ostringstream text;
    text << std::hex
         << std::bit_cast<std::conditional_t<sizeof(F) == 4, std::uint32_t, std::uint64_t>>(value)
         << " (" << value << ")";
    return text.str();
}

std::string bitsOf(const Complex& value) {
    return bitsOf(value.real()) + " + i " + bitsOf(value.imag());
}

// Mostly ordinary values, among them every special value a row can hold.
template <class F>
class Values {
public:
    explicit Values(std::uint64_t seed) : engine(seed) {}

    F next() {
        using Limits = std::numeric_limits<F>;
        static const F special[] = {F(0),
                                    -F(0),
                                    Limits::infinity(),
                                    -Limits::infinity(),
                                    Limits::quiet_NaN(),
                                    -Limits::quiet_NaN(),
                                    Limits::denorm_min(),
                                    -Limits::min() / F(3),
                                    Limits::max(),
                                    F(1)};
        if (std::uniform_int_distribution<int>(0, 3)(engine) == 0) {
            const std::size_t count = sizeof(special) / sizeof(special[0]);
            return special[std::uniform_int_distribution<std::size_t>(0, count - 1)(engine)];
        }
        return static_cast<F>(std::uniform_real_distribution<double>(-4.0, 4.0)(engine));
    }

private:
    std::mt19937_64 engine;
};

template <class T>
struct Draw {
    explicit Draw(std::uint64_t seed) : values(seed) {}
    Values<T> values;
    T operator()() { return values.next(); }
};

template <>
struct Draw<Complex> {
    explicit Draw(std::uint64_t seed) : values(seed) {}
    Values<double> values;
    Complex operator()() {
        const double re = values.next();
        return Complex(re, values.next());
    }
};

template <class T>
std::vector<T> drawn(Draw<T>& draw, std::size_t count) {
    std::vector<T> result(count);
    for (T& value : result) {
        value = draw();
    }
    return result;
}

template <class T>
void expectSameBits(const std::vector<T>& portable, const std::vector<T>& avx2, const char* kernel,
                    std::size_t start, std::size_t count) {
    for (std::size_t i = 0; i < portable.size(); ++i) {
        ASSERT_TRUE(sameBits(portable[i], avx2[i]))
            << kernel << ": element " << i << " of a row from " << start << ", length " << count
            << ": " << bitsOf(portable[i]) << " portable, " << bitsOf(avx2[i]) << " with AVX2";
    }
}

template <class T>
class RowKernelTest : public ::testing::Test {};
using KernelTypes = ::testing::Types<float, double, Complex>;
TYPED_TEST_SUITE(RowKernelTest, KernelTypes);

TYPED_TEST(RowKernelTest, Avx2AgreesWithThePortableLoopsBitForBit) {
    using T = TypeParam;
    if (!row_kernels::avx2Supported()) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    const Kernels<T>& portable = row_kernels::portableKernels().of<T>();
    const Kernels<T>& avx2 = row_kernels::avx2Kernels()->of<T>();
    Draw<T> draw(20261207);
    constexpr std::size_t guard = 3;  // elements after the row that must stay as they were
    for (std::size_t start = 0; start < 4; ++start) {
        for (std::size_t count = 0; count <= 35; ++count) {
            const std::size_t size = start + count + guard;
            const std::vector<T> target = drawn(draw, size);
            const std::vector<T> source = drawn(draw, size);
            const T factor = draw();

            std::vector<T> byPortable = target;
            std::vector<T> byAvx2 = target;
            portable.subtract(byPortable.data() + start, source.data() + start, factor, count);
            avx2.subtract(byAvx2.data() + start, source.data() + start, factor, count);
            expectSameBits(byPortable, byAvx2, "subtract", start, count);

            // Up to a block of pivot rows, `size` elements apart.
            const std::size_t pivotCount = 1 + count % 8;
            const std::vector<T> pivots = drawn(draw, pivotCount * size);
            const std::vector<T> factors = drawn(draw, pivotCount);
            byPortable = target;
            byAvx2 = target;
            portable.subtractRows(byPortable.data() + start, pivots.data() + start, size,
                                  factors.data(), pivotCount, count);
            avx2.subtractRows(byAvx2.data() + start, pivots.data() + start, size, factors.data(),
                              pivotCount, count);
            expectSameBits(byPortable, byAvx2, "subtractRows", start, count);

            // Up to the product's block of rows, each `count` elements long after `start`; fewer
            // than a block are added one row at a time.
            const std::size_t rows = 1 + count % productRows;
            const std::size_t inner = 1 + count % 5;
            const std::vector<T> sums = drawn(draw, start + rows * count + guard);
            const std::vector<T> left = drawn(draw, rows * inner);
            const std::vector<T> right = drawn(draw, inner * count);
            byPortable = sums;
            byAvx2 = sums;
            portable.addProducts(byPortable.data() + start, left.data(), inner, right.data(), rows,
                                 inner, count);
            avx2.addProducts(byAvx2.data() + start, left.data(), inner, right.data(), rows, inner,
                             count);
            expectSameBits(byPortable, byAvx2, "addProducts", start, count);
        }
    }
}

}  // namespace
}  // namespace zifferon
