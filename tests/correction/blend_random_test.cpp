// Every fast path against the reference on random lines, and whole frames
// through ProcessFrame under every CPU-feature mask against frames built
// from BlendLine_c. Guard components around every line and the buffer must
// come back unchanged; lines start at odd 2-byte offsets, never assumed
// 16-byte aligned.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"
#include "correction/process_frame.h"
#include "tests/correction/blend_paths.h"

namespace {
constexpr std::int32_t kWidths[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,  12,  13,   14,   15,   16,
                                    17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27,  28,  29,   30,   31,   32,
                                    33, 34, 35, 36, 37, 38, 39, 40, 719, 720, 1921, 4095, 4096, 4100};
constexpr std::int32_t kStrengths[] = {0, 1, 128, 200, 256, 300, -5, 65792, 70000};
constexpr std::int16_t kGuard = 0x5a5a;

std::int16_t RandomGain(std::mt19937& rng) {
    switch (rng() % 6) {
        case 0: return 0;
        case 1: return std::int16_t(-std::int32_t(rng() % 32768));  // negative
        case 2: return std::int16_t(32738 + rng() % 30);            // above 32737
        default: return std::int16_t(rng());                        // anything
    }
}

TEST(BlendLineRandom, FastPathsMatchTheReference) {
    std::mt19937 rng(20261211);
    for (const BlendPath& path : RunnableBlendPaths()) {
        for (std::int32_t count : {1, 2, 3, 5, 7, 8, 9, 15, 16, 17, 31, 33, 63, 64, 65, 100, 2157, 12288}) {
            for (int offset = 1; offset <= 9; offset += 2) {  // 2-byte steps off any vector boundary
                std::vector<std::int16_t> line(offset + count + 16), multipliers(count);
                for (auto& v : line) v = std::int16_t(rng());
                for (int i = 0; i < offset; ++i) line[i] = kGuard;
                for (std::size_t i = offset + count; i < line.size(); ++i) line[i] = kGuard;
                for (auto& m : multipliers) m = RandomGain(rng);
                std::vector<std::int16_t> expected = line;
                const BlendWeights w = WeightsForStrength(kStrengths[rng() % std::size(kStrengths)]);
                BlendLine_c(expected.data() + offset, multipliers.data(), count, w.k1, w.k2);
                path.blend(line.data() + offset, multipliers.data(), count, w.k1, w.k2);
                ASSERT_EQ(line, expected) << path.name << ", count " << count << ", offset " << offset;
            }
        }
    }
}

class ProcessFrameRandom : public ::testing::Test {
protected:
    void SetUp() override { saved_ = ColumnGainTable; }
    void TearDown() override {
        ColumnGainTable = saved_;
        SetCpuFeatureMask(~0u);
    }
    GainRow saved_;
};

// A frame of `height` lines at `pitch`, surrounded by guards, starting
// `offset` components into the buffer; the reference corrects it line by
// line with BlendLine_c and the multiplier row built by hand.
TEST_F(ProcessFrameRandom, EveryMaskMatchesTheReference) {
    std::mt19937 rng(4096);
    for (auto& gain : ColumnGainTable) gain = RandomGain(rng);
    std::vector<std::int16_t> multipliers(3 * kMaxColumns);
    for (int i = 0; i < kMaxColumns; ++i)
        multipliers[3 * i] = ColumnGainTable[i], multipliers[3 * i + 1] = multipliers[3 * i + 2] = kNeutralGain;

    for (std::int32_t width : kWidths) {
        const std::int32_t height = width > 100 ? 2 : 3;
        for (std::int32_t extra : {0, 3}) {  // pitch equal to and larger than the width
            const std::int32_t pitch = width + extra;
            const int offset = 1 + 2 * int(rng() % 4);  // odd: 2 bytes past a 4-byte boundary
            const std::int32_t strength = kStrengths[rng() % std::size(kStrengths)];
            std::vector<std::int16_t> input(offset + 3 * pitch * height + 16, kGuard);
            for (std::int32_t y = 0; y < height; ++y)
                for (std::int32_t j = 0; j < 3 * width; ++j) input[offset + 3 * pitch * y + j] = std::int16_t(rng());

            std::vector<std::int16_t> expected = input;
            const std::int32_t corrected = std::min(width, kMaxColumns);
            const BlendWeights w = WeightsForStrength(strength);
            for (std::int32_t y = 0; y < height; ++y)
                BlendLine_c(&expected[offset + 3 * pitch * y], multipliers.data(), 3 * corrected, w.k1, w.k2);

            for (unsigned mask : {0u, unsigned(kCpuSse2), ~0u}) {
                SetCpuFeatureMask(mask);
                std::vector<std::int16_t> frame = input;
                std::int32_t track_values[1] = {strength};
                FilterTable table{};
                table.track_values = track_values;
                ProcessingRecord record{};
                record.frame = reinterpret_cast<YcPixel*>(frame.data() + offset);
                record.width = width;
                record.height = height;
                record.pitch = pitch;
                EXPECT_EQ(ProcessFrame(&table, &record), 1);
                ASSERT_EQ(frame, expected) << "mask " << mask << ", width " << width << ", pitch " << pitch
                                           << ", strength " << strength;
            }
        }
    }
}
}  // namespace
