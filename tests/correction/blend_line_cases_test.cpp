// Single components worked out by hand, through every path. Each case fills a
// line of 37 components (vector bodies and a tail) with the same value and
// multiplier, so every lane of every path meets it.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/correction/blend_paths.h"

namespace {
struct Case {
    std::int16_t value;
    std::int16_t multiplier;
    std::int32_t strength;  // the track value; its low 16 bits count
    std::int16_t expected;
};


constexpr Case kCases[] = {
    // neutral gain: the two lowest bits are lost, by floor
    {1000, 16384, 256, 1000},
    {1000, 16384, 128, 1000},
    {1000, 16384, 0, 1000},
    {1001, 16384, 256, 1000},
    {1003, 16384, 0, 1000},
    // gains: h = v*g >> 16, x = 4h, b = v*k1 >> 16, a = x*k2 >> 16, 4(b + a)
    {1000, 20000, 256, 1220},
    {1000, 20000, 128, 1108},  // b 125, a 152
    {1000, 20000, 64, 1052},   // b 187, a 76
    {1000, 8000, 256, 488},
    {1000, 4096, 256, 248},
    {1000, 32737, 256, 1996},
    // colour differences meet 16384; negative values round toward -infinity
    {100, 16384, 256, 100},
    {-100, 16384, 256, -100},
    {100, 16384, 128, 96},
    {-100, 16384, 128, -104},
    {-1, 16384, 256, -4},
    {3, 16384, 128, 0},
    {32767, 16384, 256, 32764},
    {-32768, 16384, 256, -32768},
    // gain 0 scales by (256 - s) / 256
    {1000, 0, 256, 0},
    {1000, 0, 128, 500},
    {1000, 0, 1, 996},
    {1000, 0, 0, 1000},
    // negative gain
    {1000, -16384, 256, -1000},
    {1000, -16384, 128, 0},
    // the corrected value x wraps: 16400 * 32737 >> 16 = 8192, 4 * 8192 wraps
    {16000, 32737, 256, 31968},
    {16400, 32737, 256, -32768},
    {20000, 32737, 256, -25576},
    {-20000, 32737, 256, 25572},
    {20000, 32737, 128, -2788},  // b 2500, a -3197
    {30000, 20000, 256, -28916},
    // strengths outside 0..256: 65792 is 256 in its low 16 bits; 300 gives
    // k1 = -2816, k2 = 19200
    {1000, 16384, 65792, 1000},
    {1000, 16384, 300, 996},
};

TEST(BlendLine, HandWorkedComponentsOnEveryPath) {
    constexpr int kCount = 37;
    for (const BlendPath& path : RunnableBlendPaths()) {
        for (const Case& c : kCases) {
            std::vector<std::int16_t> line(kCount, c.value);
            std::vector<std::int16_t> multipliers(kCount, c.multiplier);
            const BlendWeights w = WeightsForStrength(c.strength);
            path.blend(line.data(), multipliers.data(), kCount, w.k1, w.k2);
            for (int j = 0; j < kCount; ++j)
                ASSERT_EQ(line[j], c.expected) << path.name << ": v " << c.value << ", m " << c.multiplier
                                               << ", s " << c.strength << ", component " << j;
        }
    }
}

TEST(BlendLine, WeightsFollowTheStrength) {
    struct Weights {
        std::int32_t strength;
        std::int16_t k1, k2;
    };
    constexpr Weights kWeights[] = {{0, 16384, 0},     {1, 16320, 64},    {64, 12288, 4096},
                                    {128, 8192, 8192}, {192, 4096, 12288}, {255, 64, 16320},
                                    {256, 0, 16384},   {300, -2816, 19200}, {65792, 0, 16384}};
    for (const Weights& w : kWeights) {
        const BlendWeights got = WeightsForStrength(w.strength);
        EXPECT_EQ(got.k1, w.k1) << w.strength;
        EXPECT_EQ(got.k2, w.k2) << w.strength;
    }
}
}  // namespace
