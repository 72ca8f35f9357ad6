// Every path's luminance ÷ N against the plain signed division: all 65536
// luminances for a set of N, and line widths around each vector step.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "search/accumulate_luma.h"
#include "tests/search/accumulate_paths.h"

namespace {
constexpr std::int32_t kLine = 4096;

std::vector<std::int32_t> DivisorsToCheck() {
    std::vector<std::int32_t> n;
    for (std::int32_t i = 1; i <= 64; ++i) n.push_back(i);
    for (std::int32_t p : {67, 101, 127, 251, 257, 1021, 4099, 9973, 16381, 32749}) n.push_back(p);
    for (std::int32_t i = 7; i <= 16; ++i) n.push_back(std::int32_t{1} << i);
    for (std::int32_t v : {100, 1000, 16383, 32767, 32769, 65535, 65537, 1 << 20, 2147483647}) n.push_back(v);
    return n;
}

TEST(AccumulateLumaTest, EveryLuminanceDividesExactlyOnEveryPath) {
    // 16 lines of 4096 pixels hold each of the 65536 luminances once; the
    // colour components hold values whose quotient would show if read.
    std::vector<YcPixel> line(kLine);
    std::vector<std::int32_t> sums(kLine);
    for (const AccumulatePath& path : RunnableAccumulatePaths()) {
        for (std::int32_t n : DivisorsToCheck()) {
            const LumaDivisor divisor = LumaDivisorFor(n);
            std::int32_t wrong = 0;
            for (std::int32_t base = -32768; base < 32768; base += kLine) {
                for (std::int32_t x = 0; x < kLine; ++x) {
                    line[x] = {static_cast<std::int16_t>(base + x), 32767, -32768};
                    sums[x] = x - 2048;  // the quotient is added, not stored
                }
                path.accumulate(sums.data(), line.data(), kLine, divisor);
                for (std::int32_t x = 0; x < kLine; ++x)
                    if (sums[x] != x - 2048 + (base + x) / n && wrong++ < 3)
                        ADD_FAILURE() << path.name << ": " << base + x << " / " << n << " gave "
                                      << sums[x] - (x - 2048);
            }
            EXPECT_EQ(wrong, 0) << path.name << ", N = " << n;
        }
    }
}

TEST(AccumulateLumaTest, EveryWidthTouchesExactlyItsColumns) {
    // Widths 0..40 cover the vector steps of 8 and 16 and every tail. The
    // line is exactly `width` pixels long (a read past it is out of bounds
    // under AddressSanitizer) and the sums after the width stay as they were.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> luma(-32768, 32767);
    for (const AccumulatePath& path : RunnableAccumulatePaths()) {
        for (std::int32_t n : {1, 3, 30}) {
            for (std::int32_t width = 0; width <= 40; ++width) {
                std::vector<YcPixel> line(width);
                for (YcPixel& p : line) p = {static_cast<std::int16_t>(luma(random)), 1, 1};
                std::vector<std::int32_t> expected(width + 16, 12345), sums = expected;
                AccumulateLuma_div(expected.data(), line.data(), width, LumaDivisorFor(n));
                path.accumulate(sums.data(), line.data(), width, LumaDivisorFor(n));
                EXPECT_EQ(sums, expected) << path.name << ", N = " << n << ", width " << width;
            }
        }
    }
}

TEST(AccumulateLumaTest, SumsWrapAt32Bits) {
    for (const AccumulatePath& path : RunnableAccumulatePaths()) {
        std::vector<YcPixel> line(16, YcPixel{32767, 0, 0});
        std::vector<std::int32_t> sums(16, 2147483647);
        path.accumulate(sums.data(), line.data(), 16, LumaDivisorFor(1));
        EXPECT_EQ(sums, std::vector<std::int32_t>(16, -2147450882)) << path.name;  // 2^31 - 1 + 32767 - 2^32
    }
}
}  // namespace
