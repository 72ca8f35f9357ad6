// zepho-host.exe with the real zepho.auf, run as a separate process under
// Wine on tiny clips that the test writes itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
struct HostRun {
    DWORD exit_code = ~0u;
    std::string err;  // what the host printed on stderr
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Runs zepho-host.exe `args`, standard input from `stdin_path` and output
// to `stdout_path` when given.
HostRun RunHost(const std::string& args, const std::string& stdin_path = "", const std::string& stdout_path = "") {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    auto open = [&](const std::string& path, bool write) {
        return CreateFileA(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, &inherit,
                           write ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
    };
    HANDLE err = open("host_e2e.err", true);
    HANDLE in = stdin_path.empty() ? open("NUL", false) : open(stdin_path, false);
    HANDLE out = stdout_path.empty() ? open("NUL", true) : open(stdout_path, true);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in, startup.hStdOutput = out, startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::string command = "zepho-host.exe " + args;
    HostRun run;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.exit_code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(err), CloseHandle(in), CloseHandle(out);
    run.err = ReadFile("host_e2e.err");
    return run;
}

constexpr int kWidth = 40, kHeight = 24, kFrames = 3;

// Column x of every line carries luminance 100 * pattern(x): a flat picture
// under a stripe pattern of +-12 %; chroma varies by column so that its
// round trip is checked too.
int Striped(int x) { return 100 + (x * 7 % 5 - 2) * 6 + (x % 3 == 0 ? 5 : 0); }

std::string StripedClip(int frames = kFrames) {
    std::string clip = "YUV4MPEG2 W" + std::to_string(kWidth) + " H" + std::to_string(kHeight) + " F25:1 C420jpeg\n";
    for (int f = 0; f < frames; ++f) {
        clip += "FRAME\n";
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) clip += char(Striped(x));
        for (int plane = 0; plane < 2; ++plane)
            for (int i = 0; i < kWidth / 2 * kHeight / 2; ++i) clip += char(96 + plane * 40 + i % 20);
    }
    return clip;
}

// Per-column means of the luminance of frame `f` of a clip StripedClip() laid out.
std::vector<double> ColumnMeans(const std::string& clip, int f) {
    const std::size_t header = clip.find('\n') + 1, frame = 6 + kWidth * kHeight * 3 / 2;
    std::vector<double> means(kWidth);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            means[x] += std::uint8_t(clip[header + f * frame + 6 + y * kWidth + x]) / double(kHeight);
    return means;
}

class HostEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile("host_striped.y4m", StripedClip());
        DeleteFileA("host_out.y4m");
        DeleteFileA("host_gains.bin");
    }
};

// The search over the default lines of frame 0 measures the stripes; the
// output is flat within 1 level in every frame, chroma comes back unchanged,
// and a run with the saved gain block gives the same clip, also through pipes.
TEST_F(HostEndToEnd, SearchFlattensTheColumnsAndTheSavedBlockReproducesIt) {
    const HostRun searched = RunHost("--search defaults --gains host_gains.bin zepho.auf host_striped.y4m host_out.y4m");
    ASSERT_EQ(searched.exit_code, 0u) << searched.err;
    EXPECT_NE(searched.err.find("3 frames 40x24 4:2:0"), std::string::npos) << searched.err;
    EXPECT_NE(searched.err.find("dialog offered 16,7,1): gain table replaced"), std::string::npos) << searched.err;
    const std::string out = ReadFile("host_out.y4m");
    const std::string in = StripedClip();
    ASSERT_EQ(out.size(), in.size());
    EXPECT_EQ(ReadFile("host_gains.bin").size(), 8192u);
    for (int f = 0; f < kFrames; ++f) {
        const std::vector<double> means = ColumnMeans(out, f);
        for (int x = 0; x < kWidth; ++x) EXPECT_NEAR(means[x], means[0], 1.0) << "frame " << f << " column " << x;
    }
    const std::size_t chroma = in.find('\n') + 1 + 6 + kWidth * kHeight;
    EXPECT_EQ(out.substr(chroma, kWidth * kHeight / 2), in.substr(chroma, kWidth * kHeight / 2));

    const HostRun loaded = RunHost("--gains host_gains.bin zepho.auf host_striped.y4m host_again.y4m");
    ASSERT_EQ(loaded.exit_code, 0u) << loaded.err;
    EXPECT_NE(loaded.err.find("no search"), std::string::npos) << loaded.err;
    EXPECT_TRUE(ReadFile("host_again.y4m") == out);

    const HostRun piped = RunHost("--gains host_gains.bin zepho.auf - -", "host_striped.y4m", "host_piped.y4m");
    ASSERT_EQ(piped.exit_code, 0u) << piped.err;
    EXPECT_TRUE(ReadFile("host_piped.y4m") == out);
}

// Typed values reach the filter: lines 2..5 of 2 frames from frame 1, the
// first and last line given the wrong way round.
TEST_F(HostEndToEnd, TypedSearchValuesAndStartFrame) {
    const HostRun run = RunHost("--search 5,2,2@1 --strength 128 zepho.auf host_striped.y4m host_out.y4m");
    ASSERT_EQ(run.exit_code, 0u) << run.err;
    EXPECT_NE(run.err.find("search at frame 1 (dialog offered 16,7,1): gain table replaced"), std::string::npos)
        << run.err;
    // Frame 0 passed before the search, with the neutral table: unchanged.
    const std::string out = ReadFile("host_out.y4m"), in = StripedClip();
    const std::size_t frame = 6 + kWidth * kHeight * 3 / 2, header = in.find('\n') + 1;
    EXPECT_EQ(out.substr(0, header + frame), in.substr(0, header + frame));
    // Half strength halves the stripes: within 1 level of half the input's spread.
    const std::vector<double> before = ColumnMeans(in, 1), after = ColumnMeans(out, 1);
    for (int x = 0; x < kWidth; ++x) EXPECT_NEAR(after[x] - after[0], (before[x] - before[0]) / 2, 1.0) << x;
}

TEST_F(HostEndToEnd, EveryBadInputGetsItsMessageAndExitCodeAndNoOutput) {
    const std::string clip = StripedClip(1);
    const std::string header = clip.substr(0, clip.find('\n') + 1);
    WriteFile("host_gains_short.bin", std::string(100, '\0'));
    struct Case {
        const char* what;
        std::string input;  // written to host_bad.y4m
        std::string args;   // before the plug-in, input and output
        std::string plugin;
        DWORD exit_code;
        const char* message;
    };
    const Case cases[] = {
        {"missing plug-in", clip, "", "nothere.auf", 3, "cannot load plug-in nothere.auf"},
        {"not a module", clip, "", "host_bad.y4m", 3, "cannot load plug-in host_bad.y4m"},
        {"a module but no filter", clip, "", "kernel32.dll", 3, "kernel32.dll is not a filter plug-in"},
        {"strength above 256", clip, "--strength 257", "zepho.auf", 2, "strength '257' is not a number from 0 to 256"},
        {"strength not a number", clip, "--strength 12x", "zepho.auf", 2, "strength '12x'"},
        {"search with two values", clip, "--search 1,2", "zepho.auf", 2, "search '1,2' is not"},
        {"search at a negative frame", clip, "--search defaults@-1", "zepho.auf", 2, "search 'defaults@-1'"},
        {"unknown option", clip, "--fast", "zepho.auf", 2, "unknown option --fast"},
        {"empty input", "", "", "zepho.auf", 4, "empty input"},
        {"not a clip", "RIFF....WAVEfmt \n", "", "zepho.auf", 4, "no YUV4MPEG2 signature"},
        {"header cut short", "YUV4MPEG2 W40 H24", "", "zepho.auf", 4, "truncated header"},
        {"10-bit clip", "YUV4MPEG2 W40 H24 C420p10\n", "", "zepho.auf", 4, "C420p10 is not supported"},
        {"too wide", "YUV4MPEG2 W8192 H24\n", "", "zepho.auf", 4, "width '8192'"},
        {"frame cut short", clip + clip.substr(header.size(), 100), "", "zepho.auf", 4,
         "frame 1: truncated frame: 94 of 1440 bytes"},
        {"bad frame header", clip + "FRAMES\n", "", "zepho.auf", 4, "frame 1: malformed frame header"},
        {"short gain block", clip, "--gains host_gains_short.bin", "zepho.auf", 4, "holds 100 bytes, not 8192"},
        {"missing gain block", clip, "--gains nothere.bin", "zepho.auf", 4, "cannot read gain block nothere.bin"},
        {"search past the end", clip, "--search defaults@1", "zepho.auf", 6, "the search at frame 1 never ran"},
        {"search of no frame", clip, "--search 16,20,0", "zepho.auf", 6, "did not replace the gain table"},
        {"search of a black band", header + "FRAME\n" + std::string(1440, '\0'), "--search defaults", "zepho.auf", 6,
         "did not replace the gain table"},
    };
    for (const Case& c : cases) {
        WriteFile("host_bad.y4m", c.input);
        const HostRun run = RunHost(c.args + " " + c.plugin + " host_bad.y4m host_out.y4m");
        EXPECT_EQ(run.exit_code, c.exit_code) << c.what << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.what << ": " << run.err;
        if (c.exit_code != 2) EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.what << ": " << run.err;
        EXPECT_FALSE(Exists("host_out.y4m")) << c.what;
        EXPECT_FALSE(Exists("host_out.y4m.part")) << c.what;
    }
    const HostRun missing_input = RunHost("zepho.auf nothere.y4m host_out.y4m");
    EXPECT_EQ(missing_input.exit_code, 4u);
    EXPECT_NE(missing_input.err.find("cannot read nothere.y4m"), std::string::npos) << missing_input.err;
}

TEST(HostInfo, PrintsTheFilterTextsInUtf8) {
    const HostRun run = RunHost("--info zepho.auf", "", "host_info.txt");
    ASSERT_EQ(run.exit_code, 0u) << run.err;
    const std::string info = ReadFile("host_info.txt");
    EXPECT_NE(info.find("name: \u30bc\u30d5\u30a9(\u7e26\u7dda)\u9664\u53bb\n"), std::string::npos) << info;
    EXPECT_NE(info.find("track 0: \u5f37\u3055 (default 256)\n"), std::string::npos) << info;
    EXPECT_NE(info.find("button 0: \u30bc\u30d5\u30a9\u306e\u691c\u7d22\n"), std::string::npos) << info;
}
}  // namespace
