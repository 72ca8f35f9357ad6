// ProcessFrame on whole frames: a 3x2 frame worked out by hand, and the
// guards on width and height. Every case runs once per blend path.
#include "correction/process_frame.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"

namespace {
// The paths, by the feature mask that makes the dispatcher pick them.
constexpr unsigned kPathMasks[] = {0u, kCpuSse2, ~0u};

class ProcessFrameTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = ColumnGainTable; }
    void TearDown() override {
        ColumnGainTable = saved_;
        SetCpuFeatureMask(~0u);
    }

    // Runs ProcessFrame on `frame` as a width x height picture at `pitch`.
    void Process(std::vector<YcPixel>& frame, std::int32_t width, std::int32_t height, std::int32_t pitch,
                 std::int32_t strength) {
        std::int32_t track_values[1] = {strength};
        FilterTable table{};
        table.track_values = track_values;
        ProcessingRecord record{};
        record.frame = frame.data();
        record.width = width;
        record.height = height;
        record.pitch = pitch;
        EXPECT_EQ(ProcessFrame(&table, &record), 1);
    }

    GainRow saved_;
};

bool operator==(const YcPixel& a, const YcPixel& b) { return a.y == b.y && a.cb == b.cb && a.cr == b.cr; }

constexpr YcPixel kGuard = {0x1234, -0x1234, 0x0777};

TEST_F(ProcessFrameTest, HandWorkedFrameAtHalfStrength) {
    // Gains 20000, 16384, 8000; strength 128, so k1 = k2 = 8192 and
    // b = floor(v / 8), a = floor(x / 8), with x = 4 * floor(v * m / 65536).
    // Pitch 4: the fourth pixel of each line lies between width and pitch.
    const std::vector<YcPixel> input = {
        {1000, 100, -100}, {1000, 100, -100}, {1000, 100, -100},  kGuard,
        {2000, 7, -1},     {401, 0, 32767},   {-2000, 50, 1003},  kGuard,
        kGuard};
    const std::vector<YcPixel> expected = {
        // Y 1000 * 20000: h 305, x 1220, b 125, a 152 -> 4 * 277
        // Cb 100: h 25, x 100, b 12, a 12 -> 96;  Cr -100: b -13, a -13 -> -104
        {1108, 96, -104},
        {1000, 96, -104},  // Y 1000 * 16384: 125 + 125
        {744, 96, -104},   // Y 1000 * 8000: h 122, x 488, b 125, a 61
        kGuard,
        // Y 2000 * 20000: h 610, x 2440, b 250, a 305 -> 2220
        // Cb 7: h 1, x 4, b 0, a 0;  Cr -1: h -1, x -4, b -1, a -1 -> -8
        {2220, 0, -8},
        {400, 0, 32760},  // Y 401: h 100, b 50, a 50;  Cr 32767: h 8191, b 4095, a 4095
        // Y -2000 * 8000: h -245, x -980, b -250, a -123 -> -1492
        // Cb 50: h 12, x 48, b 6, a 6 -> 48;  Cr 1003: h 250, b 125, a 125 -> 1000
        {-1492, 48, 1000},
        kGuard,
        kGuard};
    ColumnGainTable[0] = 20000;
    ColumnGainTable[1] = 16384;
    ColumnGainTable[2] = 8000;
    for (unsigned mask : kPathMasks) {
        SetCpuFeatureMask(mask);
        std::vector<YcPixel> frame = input;
        Process(frame, 3, 2, 4, 128);
        for (std::size_t i = 0; i < frame.size(); ++i)
            EXPECT_TRUE(frame[i] == expected[i]) << "mask " << mask << ", pixel " << i << ": " << frame[i].y << " "
                                                 << frame[i].cb << " " << frame[i].cr;
    }
}

TEST_F(ProcessFrameTest, TableStartsNeutral) {
    for (std::int16_t gain : NeutralGains()) ASSERT_EQ(gain, kNeutralGain);
    // The table itself, unless a test before this one changed it and failed
    // to restore it: it must read the same as the neutral row.
    EXPECT_TRUE(saved_ == NeutralGains());
}

TEST_F(ProcessFrameTest, FramesWithoutPixelsAreUntouched) {
    struct Shape {
        std::int32_t width, height;
    };
    constexpr Shape kShapes[] = {{0, 4}, {-1, 4}, {-5000, 4}, {4, 0}, {4, -1}, {0, 0}};
    for (unsigned mask : kPathMasks) {
        SetCpuFeatureMask(mask);
        for (const Shape& shape : kShapes) {
            std::vector<YcPixel> frame(16, kGuard);
            Process(frame, shape.width, shape.height, 4, 256);
            for (const YcPixel& p : frame) ASSERT_TRUE(p == kGuard) << shape.width << "x" << shape.height;
        }
    }
}

TEST_F(ProcessFrameTest, ColumnsFrom4096OnAreLeftAsTheyAre) {
    constexpr std::int32_t kWidth = 4100, kPitch = 4103;
    ColumnGainTable.fill(8192);  // halves every luminance at strength 256
    for (unsigned mask : kPathMasks) {
        SetCpuFeatureMask(mask);
        std::vector<YcPixel> frame(kPitch * 2 + 1, YcPixel{1000, 200, -200});
        Process(frame, kWidth, 2, kPitch, 256);
        for (std::int32_t i = 0; i < std::int32_t(frame.size()); ++i) {
            const bool corrected = i < kPitch * 2 && i % kPitch < kMaxColumns;
            const YcPixel want = corrected ? YcPixel{500, 200, -200} : YcPixel{1000, 200, -200};
            ASSERT_TRUE(frame[i] == want) << "mask " << mask << ", pixel " << i;
        }
    }
}
}  // namespace
