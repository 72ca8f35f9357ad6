// EstimateColumnGains through a fake host: worked cases, the calls it makes,
// its failures, and the fast paths against the reference on random frames.
#include "search/estimate_column_gains.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"
#include "tests/search/accumulate_paths.h"
#include "tests/support/fake_host.h"

namespace {
using Lumas = std::vector<std::vector<std::int16_t>>;  // [line][column]

class EstimateTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = ColumnGainTable;
        for (int x = 0; x < kMaxColumns; ++x) ColumnGainTable[x] = static_cast<std::int16_t>(5000 + x);
        before_ = ColumnGainTable;
    }
    void TearDown() override {
        ColumnGainTable = saved_;
        SetCpuFeatureMask(~0u);
    }

    // Serves `frames` from frame number 3 on, each framed by a line above and
    // below the range and a pixel past the width, all bright enough to change
    // any result they leaked into. Runs the range, lines 1..lines.
    std::int32_t Run(const std::vector<Lumas>& frames, std::int32_t n) {
        host_.current_frame = 3;
        host_.frames.assign(3, {});
        for (const Lumas& frame : frames) {
            const std::size_t width = frame[0].size();
            Lumas framed(frame.size() + 2, std::vector<std::int16_t>(width + 1, 30000));
            for (std::size_t y = 0; y < frame.size(); ++y)
                for (std::size_t x = 0; x < width; ++x) framed[y + 1][x] = frame[y][x];
            host_.frames.push_back(MakeFrame(framed, static_cast<std::int32_t>(width + 1)));
        }
        const auto width = static_cast<std::int32_t>(frames[0][0].size());
        const auto lines = static_cast<std::int32_t>(frames[0].size());
        return EstimateColumnGains(width, 1, lines, n, host_.edit(), host_.services(), width + 1);
    }

    std::vector<std::int16_t> Gains(std::size_t count) const {
        return {ColumnGainTable.begin(), ColumnGainTable.begin() + count};
    }

    FakeHost host_;
    GainRow saved_;
    GainRow before_;
};

struct WorkedCase {
    const char* name;
    std::vector<Lumas> frames;  // N is the number of frames
    std::vector<std::int16_t> gains;
};

TEST_F(EstimateTest, WorkedCases) {
    const WorkedCase cases[] = {
        // M 120, T 30, A 100; 10 is below 16.
        {"quarter threshold", {{{100, 120, 80, 10}}}, {16384, 13653, 20480, 16384}},
        // A 800; 800 * 16384 / 400 = 32768 lies above 32737.
        {"quotient above 32737", {{{1000, 1000, 400}}}, {13107, 13107, 16384}},
        // T 21: the column at 21 is not counted; A (84 + 30) / 2 = 57.
        {"equal to threshold", {{{84, 21, 30}}}, {11117, 16384, 31129}},
        // A 75 / 4 = 18; an average of exactly 16 is divided.
        {"averages near 16", {{{15, 16, 20, 24}}}, {16384, 18432, 14745, 12288}},
        // 100 / 3 and 200 / 3 truncated per pixel: 99 and 198, A 148.
        {"three frames", {{{100, 200}}, {{100, 200}}, {{100, 200}}}, {24493, 12246}},
        // Sums 201 and 100 over 2 lines: averages 100 and 50, A 75.
        {"two lines", {{{101, 50}, {100, 50}}}, {12288, 24576}},
        // A negative average is neither counted nor divided: A (200 + 120) / 2.
        {"negative column", {{{-100, 200, 120}}}, {16384, 13107, 21845}},
    };
    for (const AccumulatePath& path : RunnableAccumulatePaths()) {
        SetCpuFeatureMask(path.mask);
        for (const WorkedCase& c : cases) {
            ColumnGainTable = before_;
            EXPECT_EQ(Run(c.frames, static_cast<std::int32_t>(c.frames.size())), 1) << path.name << ": " << c.name;
            EXPECT_EQ(Gains(c.gains.size()), c.gains) << path.name << ": " << c.name;
        }
    }
}

TEST_F(EstimateTest, FailuresLeaveTheTableUntouched) {
    const struct {
        const char* name;
        std::vector<Lumas> frames;
    } cases[] = {
        {"-5 over two frames gives -2 + -2", {{{-5}}, {{-5}}}},
        {"all black", {{{0, 0, 0}, {0, 0, 0}}, {{0, 0, 0}, {0, 0, 0}}}},
        {"positive, but every average 0", {{{1, 2, 1}}, {{1, 1, 2}}, {{2, 1, 1}}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.frames, static_cast<std::int32_t>(c.frames.size())), 0) << c.name;
        EXPECT_EQ(ColumnGainTable, before_) << c.name;
    }
}

TEST_F(EstimateTest, WidthThreeReplacesOnlyItsEntries) {
    ASSERT_EQ(Run({{{100, 120, 80}}}, 1), 1);
    GainRow expected = before_;
    expected[0] = 16384;  // A 100
    expected[1] = 13653;
    expected[2] = 20480;
    EXPECT_EQ(ColumnGainTable, expected);
}

TEST_F(EstimateTest, AsksForEachFrameInOrder) {
    // Frames numbered from 3: slot 6 before every slot 0, offsets 0..4, and
    // nothing else, all with the edit handle it was given.
    const Lumas frame = {{100, 200}};
    ASSERT_EQ(Run({frame, frame, frame, frame, frame}, 5), 1);
    std::vector<HostCall> expected;
    for (std::int32_t i = 0; i < 5; ++i) {
        expected.push_back({6});
        expected.push_back({0, 3, i});
    }
    EXPECT_EQ(host_.calls, expected);
}

TEST_F(EstimateTest, NoFramesMeansNoCall) {
    for (std::int32_t n : {0, -1, -2147483647 - 1}) {
        host_.calls.clear();
        EXPECT_EQ(Run({{{100, 200}}}, n), 0) << n;
        EXPECT_TRUE(host_.calls.empty()) << n;
        EXPECT_EQ(ColumnGainTable, before_) << n;
    }
}

TEST_F(EstimateTest, NoColumnsStillAsksForTheFrames) {
    host_.frames.assign(2, MakeFrame({{100}}, 1));
    for (std::int32_t width : {0, -1}) {
        host_.calls.clear();
        EXPECT_EQ(EstimateColumnGains(width, 0, 0, 2, host_.edit(), host_.services(), 1), 0);
        EXPECT_EQ(host_.calls, (std::vector<HostCall>{{6}, {0, 0, 0}, {6}, {0, 0, 1}})) << width;
        EXPECT_EQ(ColumnGainTable, before_) << width;
    }
}

TEST_F(EstimateTest, EmptyLineRangeFails) {
    // first > last is the caller's fault; last = first - 1 would divide by 0 lines.
    host_.frames.assign(1, MakeFrame({{100, 200}, {100, 200}}, 2));
    for (std::int32_t last : {0, -5}) {
        EXPECT_EQ(EstimateColumnGains(2, 1, last, 1, host_.edit(), host_.services(), 2), 0) << last;
        EXPECT_EQ(ColumnGainTable, before_) << last;
    }
}

TEST_F(EstimateTest, MissingFrameStopsAtOnce) {
    // Frame 3 + 2 is not delivered: no further call, result 0.
    const Lumas frame = {{100, 200}};
    host_.current_frame = 3;
    host_.frames = {{}, {}, {}, MakeFrame(frame, 2), MakeFrame(frame, 2), {}, MakeFrame(frame, 2)};
    EXPECT_EQ(EstimateColumnGains(2, 0, 0, 4, host_.edit(), host_.services(), 2), 0);
    EXPECT_EQ(host_.calls, (std::vector<HostCall>{{6}, {0, 3, 0}, {6}, {0, 3, 1}, {6}, {0, 3, 2}}));
    EXPECT_EQ(ColumnGainTable, before_);
}

TEST_F(EstimateTest, ColumnsFrom4096OnAreNeitherReadNorWritten) {
    // Column 0 at 2000, the rest of the first 4096 at 1000: A 4097000 / 4096
    // = 1000. Columns 4096..4999 at 32767 would raise the threshold if read.
    std::vector<std::int16_t> line(5000, 1000);
    line[0] = 2000;
    for (std::size_t x = 4096; x < line.size(); ++x) line[x] = 32767;
    for (const AccumulatePath& path : RunnableAccumulatePaths()) {
        SetCpuFeatureMask(path.mask);
        ColumnGainTable = before_;
        host_.frames.assign(1, MakeFrame({line}, 5000));
        EXPECT_EQ(EstimateColumnGains(5000, 0, 0, 1, host_.edit(), host_.services(), 5000), 1) << path.name;
        GainRow expected = NeutralGains();
        expected[0] = 8192;
        EXPECT_EQ(ColumnGainTable, expected) << path.name;
    }
}

// Random frames of several kinds, run through the reference and every path:
// the same result and table each time, with each gain written 16384 or in
// 4096..32737, and each frame read before the next is asked for.
TEST_F(EstimateTest, FastPathsMatchTheReferenceOnRandomFrames) {
    std::mt19937 random(2024);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto paths = RunnableAccumulatePaths();
    int replaced = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const std::int32_t width = trial % 10 == 0 ? pick(1000, 4200) : pick(1, 70);
        const std::int32_t pitch = width + pick(0, 5);
        const std::int32_t lines = pick(1, trial % 10 == 0 ? 3 : 12);
        const std::int32_t n = trial % 7 == 0 ? pick(31, 300) : pick(1, 30);
        // Luminance from one of: the full range, mostly dark, small around 16,
        // bright with dark stripes.
        const int kind = trial % 4;
        host_.frames.clear();
        for (std::int32_t f = 0; f < n; ++f) {
            Lumas frame(lines + 2, std::vector<std::int16_t>(pitch));
            for (auto& row : frame)
                for (auto& v : row) {
                    int value = kind == 0   ? pick(-32768, 32767)
                                : kind == 1 ? pick(-40, 60) * n
                                : kind == 2 ? pick(0, 40)
                                            : (pick(0, 9) == 0 ? pick(0, 2000) : pick(20000, 32767));
                    v = static_cast<std::int16_t>(value < 32767 ? value : 32767);
                }
            host_.frames.push_back(MakeFrame(frame, pitch));
        }
        const std::vector<std::vector<YcPixel>> frames = host_.frames;
        const std::int32_t first = 1, last = lines;

        ColumnGainTable = before_;
        host_.spoil_served_frames = false;
        const std::int32_t expected = EstimateColumnGainsReference(width, first, last, n, host_.edit(),
                                                                   host_.services(), pitch);
        const GainRow reference = ColumnGainTable;
        replaced += expected;
        for (int x = 0; x < kMaxColumns; ++x) {
            const std::int16_t g = reference[x];
            if (expected == 0 || x >= width) {
                ASSERT_EQ(g, before_[x]) << "trial " << trial << ", column " << x;
            } else {
                ASSERT_TRUE(g == 16384 || (g >= 4096 && g <= 32737)) << "trial " << trial << ": gain " << g;
            }
        }
        for (const AccumulatePath& path : paths) {
            SetCpuFeatureMask(path.mask);
            ColumnGainTable = before_;
            host_.frames = frames;
            host_.spoil_served_frames = true;
            ASSERT_EQ(EstimateColumnGains(width, first, last, n, host_.edit(), host_.services(), pitch), expected)
                << path.name << ", trial " << trial;
            ASSERT_EQ(ColumnGainTable, reference) << path.name << ", trial " << trial;
        }
    }
    EXPECT_GT(replaced, 200);  // the cases mostly succeed, so the gains are compared
}
}  // namespace
