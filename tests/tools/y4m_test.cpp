// The clip format: header fields, the exact scaling, the chroma block
// averaging, and a round trip of every layout through the host's pixels.
#include "tools/y4m/y4m.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
TEST(Y4mHeader, ReadsLayoutAndNamesEachProblem) {
    struct Case {
        const char* line;
        const char* problem;  // "" when the header is good
        int width, height;
        Chroma chroma;
    };
    const Case cases[] = {
        {"YUV4MPEG2 W320 H240 F25:1 Ip A1:1 C420jpeg XYSCSS=420JPEG", "", 320, 240, Chroma::k420},
        {"YUV4MPEG2 W5 H3", "", 5, 3, Chroma::k420},  // no C: 4:2:0
        {"YUV4MPEG2 W5 H3 C420paldv", "", 5, 3, Chroma::k420},
        {"YUV4MPEG2 W5 H3 C420mpeg2", "", 5, 3, Chroma::k420},
        {"YUV4MPEG2 W5 H3 C422", "", 5, 3, Chroma::k422},
        {"YUV4MPEG2 W4096 H1 C444", "", 4096, 1, Chroma::k444},
        {"YUV4MPEG2 W5 H3 Cmono", "", 5, 3, Chroma::kMono},
        {"YUV4MPEG W5 H3", "no YUV4MPEG2 signature", 0, 0, {}},
        {"RIFF", "no YUV4MPEG2 signature", 0, 0, {}},
        {"YUV4MPEG2 H3", "no width or height", 0, 0, {}},
        {"YUV4MPEG2 W4097 H3", "width '4097'", 0, 0, {}},
        {"YUV4MPEG2 W0 H3", "width '0'", 0, 0, {}},
        {"YUV4MPEG2 W5x H3", "width '5x'", 0, 0, {}},
        {"YUV4MPEG2 W5 H-3", "height '-3'", 0, 0, {}},
        {"YUV4MPEG2 W5 H3 C420p10", "C420p10 is not supported", 0, 0, {}},
        {"YUV4MPEG2 W5 H3 C444alpha", "C444alpha is not supported", 0, 0, {}},
        {"YUV4MPEG2W5 H3", "malformed header", 0, 0, {}},
    };
    for (const Case& c : cases) {
        Y4mFormat format;
        const std::string problem = ParseY4mHeader(c.line, format);
        if (*c.problem == '\0') {
            EXPECT_EQ(problem, "") << c.line;
            EXPECT_EQ(format.width, c.width) << c.line;
            EXPECT_EQ(format.height, c.height) << c.line;
            EXPECT_EQ(format.chroma, c.chroma) << c.line;
            EXPECT_EQ(format.header, c.line);
        } else {
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.line << " -> " << problem;
        }
    }
}

TEST(Y4mScaling, IsExactOneWayAndRoundsAndClampsBack) {
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(LumaTo8(LumaTo16(std::uint8_t(v))), v);
        EXPECT_EQ(ChromaTo8(ChromaTo16(std::uint8_t(v))), v);
    }
    struct Case {
        std::int16_t value;
        int luma, chroma;
    };
    const Case cases[] = {
        {0, 0, 128},       {7, 0, 128},      {8, 1, 129},       {-8, 0, 128},     {-9, 0, 127},
        {4080, 255, 255},    {4087, 255, 255},  {4088, 255, 255}, {2032, 127, 255},
        {-2048, 0, 0},     {-2056, 0, 0},    {32767, 255, 255}, {-32768, 0, 0},   {1996, 125, 253},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LumaTo8(c.value), c.luma) << c.value;
        EXPECT_EQ(ChromaTo8(c.value), c.chroma) << c.value;
    }
}

// 3x3 at 4:2:0: chroma 2x2; the blocks are 2x2, 1x2, 2x1 and 1x1.
TEST(Y4mScaling, ChromaIsReplicatedAndAveragedOverItsBlock) {
    Y4mFormat format;
    ASSERT_EQ(ParseY4mHeader("YUV4MPEG2 W3 H3 C420", format), "");
    std::vector<std::uint8_t> planes(9 + 4 + 4, 128);
    planes[9] = 0, planes[10] = 10, planes[11] = 20, planes[12] = 255;  // Cb
    std::vector<YcPixel> frame(4 * 3);
    PlanesToYc(format, planes, frame.data(), 4);
    const std::int16_t expected_cb[3][3] = {{-2048, -2048, -1888}, {-2048, -2048, -1888}, {-1728, -1728, 2032}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(frame[4 * y + x].cb, expected_cb[y][x]) << x << "," << y;

    // Averages: (-2048 -2048 -2048 +0) / 4 = -1536 -> 32; (-1888 + 16) / 2 = -936 -> 70 (-58.5 rounds up);
    // -1728 and 0 -> -864 -> 74; 2032 -> 255.
    frame[4 * 1 + 1].cb = 0;
    frame[4 * 1 + 2].cb = 16;
    frame[4 * 2 + 1].cb = 0;
    YcToPlanes(format, frame.data(), 4, planes);
    EXPECT_EQ(planes[9], 32);
    EXPECT_EQ(planes[10], 70);
    EXPECT_EQ(planes[11], 74);
    EXPECT_EQ(planes[12], 255);
}

// Odd sizes in every layout, a pitch beyond the width, and the file format:
// read, through the host's pixels, and written, the clip comes back byte for byte.
TEST(Y4mStream, EveryLayoutRoundTripsThroughHostPixels) {
    for (const char* chroma : {"C420jpeg", "C422", "C444", "Cmono"}) {
        const std::string header = std::string("YUV4MPEG2 W5 H3 F30000:1001 ") + chroma;
        Y4mFormat format;
        ASSERT_EQ(ParseY4mHeader(header, format), "");
        std::FILE* clip = std::tmpfile();
        ASSERT_NE(clip, nullptr);
        std::vector<std::uint8_t> frames[2];
        std::fprintf(clip, "%s\n", header.c_str());
        for (int f = 0; f < 2; ++f) {
            frames[f].resize(format.FrameBytes());
            for (std::size_t i = 0; i < frames[f].size(); ++i) frames[f][i] = std::uint8_t(i * 37 + f * 101);
            std::fprintf(clip, f == 0 ? "FRAME\n" : "FRAME Ixyz\n");
            std::fwrite(frames[f].data(), 1, frames[f].size(), clip);
        }
        std::rewind(clip);

        Y4mFormat read;
        ASSERT_EQ(ReadY4mHeader(clip, read), "");
        std::FILE* copy = std::tmpfile();
        ASSERT_TRUE(WriteY4mHeader(copy, read));
        std::vector<std::uint8_t> planes;
        std::vector<YcPixel> pixels(8 * 3);
        std::string error;
        for (int f = 0; f < 2; ++f) {
            ASSERT_EQ(ReadY4mFrame(clip, read, planes, error), 1) << chroma << ": " << error;
            EXPECT_EQ(planes, frames[f]) << chroma;
            PlanesToYc(read, planes, pixels.data(), 8);
            std::vector<std::uint8_t> back(read.FrameBytes());
            YcToPlanes(read, pixels.data(), 8, back);
            EXPECT_EQ(back, frames[f]) << chroma << " frame " << f;
            ASSERT_TRUE(WriteY4mFrame(copy, read, back));
        }
        EXPECT_EQ(ReadY4mFrame(clip, read, planes, error), 0);
        std::fclose(clip);

        std::rewind(copy);
        char line[64] = "";
        ASSERT_NE(std::fgets(line, sizeof(line), copy), nullptr);
        EXPECT_EQ(std::string(line), header + "\n");
        std::fclose(copy);
    }
}

TEST(Y4mStream, FramesThatEndEarlyOrLackTheirHeaderAreErrors) {
    struct Case {
        std::string body;
        const char* problem;
    };
    const std::string frame(5 * 3 + 2 * 3 * 2, 'x');  // 5x3 at 4:2:0: 27 bytes
    const Case cases[] = {
        {"FRAME\n" + frame.substr(0, 26), "truncated frame: 26 of 27 bytes"},
        {"FRAME\n" + frame + "FRAME\n", "truncated frame: 0 of 27 bytes"},
        {"FRAME\n" + frame + "FRAMX\n" + frame, "malformed frame header"},
        {"FRAME\n" + frame + "FRAMES\n" + frame, "malformed frame header"},
        {"FRAME\n" + frame + "FRA", "malformed frame header"},
    };
    for (const Case& c : cases) {
        std::FILE* clip = std::tmpfile();
        std::fputs("YUV4MPEG2 W5 H3\n", clip);
        std::fwrite(c.body.data(), 1, c.body.size(), clip);
        std::rewind(clip);
        Y4mFormat format;
        ASSERT_EQ(ReadY4mHeader(clip, format), "");
        std::vector<std::uint8_t> planes;
        std::string error;
        int got;
        while ((got = ReadY4mFrame(clip, format, planes, error)) == 1) {}
        EXPECT_EQ(got, -1) << c.problem;
        EXPECT_EQ(error, c.problem);
        std::fclose(clip);
    }
}
}  // namespace
