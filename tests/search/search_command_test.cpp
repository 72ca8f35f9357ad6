// The search command of the built zepho.auf, as a host drives it: a hidden
// filter window, a fake service table, and the autopilot in the real dialog.
// After OK the DLL's gain table must equal what this program's own copy of
// the estimation gives for the same frames and the ordered, clamped range.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "correction/column_gain_table.h"
#include "search/estimate_column_gains.h"
#include "tests/plugin/loaded_plugin.h"
#include "tests/support/dialog_autopilot.h"
#include "tests/support/fake_host.h"

namespace {
constexpr int kFirstField = 32000, kLastField = 32001, kFramesField = 32002;
constexpr std::int32_t kWidth = 8;

const HostCall kSystemInfo{40}, kFileInfo{23}, kCurrentFrame{6};
HostCall FrameImage(std::int32_t offset) { return {0, 0, offset}; }

// Frames whose luminance varies by frame, line and column, so that any other
// range or frame count measures other gains.
std::vector<YcPixel> PatternFrame(std::int32_t height, std::int32_t index) {
    std::vector<std::vector<std::int16_t>> lumas(height, std::vector<std::int16_t>(kWidth));
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < kWidth; ++x) lumas[y][x] = std::int16_t(300 + 40 * x + 3 * y + 17 * index + (x * y) % 23);
    return MakeFrame(lumas, kWidth + 2);
}

class SearchCommandTest : public ::testing::Test {
public:
    LoadedPlugin plugin;
    FakeHost host;
    FilterTable* table = nullptr;
    HWND filter_window = nullptr;
    std::int32_t track_values[1] = {256};

    void SetUp() override {
        ASSERT_NE(plugin.get_filter_table, nullptr);
        table = plugin.get_filter_table();
        table->track_values = track_values;
        table->services = host.services();
        table->instance = plugin.module;
        DllGains().fill(kNeutralGain);
        ColumnGainTable = NeutralGains();
        filter_window = CreateWindowExA(0, "STATIC", "filter", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                        nullptr);
        ASSERT_NE(filter_window, nullptr);
        SetVideo(480, 6);
    }
    void TearDown() override { DestroyWindow(filter_window); }

    GainRow& DllGains() { return *static_cast<GainRow*>(table->extra_data); }

    void SetVideo(std::int32_t height, std::int32_t frames) {
        host.width = kWidth;
        host.height = height;
        host.pitch = kWidth + 2;
        host.frames.clear();
        for (std::int32_t i = 0; i < frames; ++i) host.frames.push_back(PatternFrame(height, i));
    }

    std::int32_t Send(std::uint32_t message, std::uintptr_t wparam) {
        return table->window_proc(filter_window, message, wparam, 0, host.edit(), table);
    }

    // Presses the search button with the autopilot playing `script`.
    std::int32_t Press(std::initializer_list<AutopilotStep> script, AutopilotReport* report = nullptr) {
        StartAutopilot(script);
        const std::int32_t result = Send(WM_COMMAND, 12004);
        AutopilotReport r = StopAutopilot();
        if (report) *report = r;
        return result;
    }

    // The gains this program's estimation measures over the same frames.
    GainRow Expected(std::int32_t first, std::int32_t last, std::int32_t frames) {
        const std::vector<HostCall> calls = host.calls;
        ColumnGainTable = NeutralGains();
        EXPECT_EQ(EstimateColumnGains(kWidth, first, last, frames, host.edit(), host.services(), host.pitch), 1);
        host.calls = calls;
        return ColumnGainTable;
    }
};

std::vector<HostCall> QueriesThenFrames(std::int32_t frames) {
    std::vector<HostCall> calls = {kSystemInfo, kFileInfo};
    for (std::int32_t i = 0; i < frames; ++i) calls.insert(calls.end(), {kCurrentFrame, FrameImage(i)});
    return calls;
}

std::vector<std::string> Texts(const AutopilotReport& report) {
    std::vector<std::string> texts;
    for (const AutopilotReading& reading : report.readings) texts.push_back(reading.text);
    return texts;
}

TEST_F(SearchCommandTest, DialogOffersTheDefaultsForTheFrameHeight) {
    struct Case {
        std::int32_t height;
        std::vector<std::string> shown;
    };
    const Case kCases[] = {{480, {"16", "463", "1"}}, {33, {"16", "16", "1"}}, {10, {"16", "-7", "1"}}};
    for (const Case& c : kCases) {
        SetVideo(c.height, 1);
        host.calls.clear();
        AutopilotReport report;
        EXPECT_EQ(Press({Read(kFirstField), Read(kLastField), Read(kFramesField), Caption(), Click(IDCANCEL)}, &report), 0);
        EXPECT_TRUE(report.found && report.finished) << c.height;
        EXPECT_EQ(Texts(report), c.shown) << c.height;
        EXPECT_EQ(report.caption, "\x83\x5b\x83\x74\x83\x48\x82\xcc\x8c\x9f\x8d\xf5");  // "ゼフォの検索"
        EXPECT_EQ(host.calls, (std::vector<HostCall>{kSystemInfo, kFileInfo})) << c.height;
    }
}

// What the user confirms, and the range and frame count measured: ordered,
// then kept within the frame (height 480 unless given).
TEST_F(SearchCommandTest, ConfirmedValuesAreOrderedClampedAndMeasured) {
    struct Case {
        const char* first;
        const char* last;
        const char* frames;
        std::int32_t height;
        std::int32_t want_first, want_last, want_frames;
    };
    const Case kCases[] = {
        {nullptr, nullptr, nullptr, 480, 16, 463, 1},  // Enter at once: the defaults
        {"100", "300", "3", 480, 100, 300, 3},
        {"300", "100", "3", 480, 100, 300, 3},         // swapped
        {"7", "7", "2", 480, 7, 7, 2},                 // one line
        {"-5", "1000", "1", 480, 0, 479, 1},           // beyond both edges
        {nullptr, nullptr, nullptr, 10, 0, 9, 1},      // defaults 16, -7 on a short frame: all of it
        {"abc", "5", "1", 480, 0, 5, 1},               // letters read as 0
    };
    for (const Case& c : kCases) {
        SetVideo(c.height, 4);
        host.calls.clear();
        std::int32_t result;
        if (c.first)
            result = Press({Type(kFirstField, c.first), Type(kLastField, c.last), Type(kFramesField, c.frames),
                            Click(IDOK)});
        else
            result = Press({Key(VK_RETURN)});
        const std::string label = std::string(c.first ? c.first : "default") + ".." + (c.last ? c.last : "");
        EXPECT_EQ(result, 1) << label;
        EXPECT_EQ(host.calls, QueriesThenFrames(c.want_frames)) << label;
        EXPECT_TRUE(DllGains() == Expected(c.want_first, c.want_last, c.want_frames)) << label;
        EXPECT_NE(DllGains(), NeutralGains()) << label;
        DllGains().fill(kNeutralGain);
    }
}

TEST_F(SearchCommandTest, NothingToMeasureLeavesTheTableAndAsksForNoFrame) {
    struct Case {
        const char* first;
        const char* last;
        const char* frames;
        std::int32_t height;
    };
    const Case kCases[] = {
        {"16", "463", "0", 480},    // no frames
        {"16", "463", "-1", 480},
        {"-10", "-1", "1", 480},    // wholly above the frame
        {"480", "600", "1", 480},   // wholly below
        {"", "", "1", 480},         // empty fields: line 0 only, measured
        {"0", "0", "1", 0},         // a frame without lines
    };
    for (const Case& c : kCases) {
        SetVideo(c.height, 2);
        host.calls.clear();
        DllGains().fill(1234);
        const std::int32_t result =
            Press({Type(kFirstField, c.first), Type(kLastField, c.last), Type(kFramesField, c.frames), Click(IDOK)});
        const bool measures = std::string(c.first).empty();
        const std::string label = std::string(c.first) + ".." + c.last + " x" + c.frames;
        EXPECT_EQ(result, measures ? 1 : 0) << label;
        EXPECT_EQ(host.calls, QueriesThenFrames(measures ? 1 : 0)) << label;
        if (!measures) {
            GainRow untouched;
            untouched.fill(1234);
            EXPECT_TRUE(DllGains() == untouched) << label;
        }
    }
}

TEST_F(SearchCommandTest, EveryWayOfCancellingChangesNothing) {
    struct Case {
        const char* name;
        AutopilotStep close;
    };
    const Case kCases[] = {{"button", Click(IDCANCEL)}, {"Esc", Key(VK_ESCAPE)}, {"close box", CloseBox()}};
    for (const Case& c : kCases) {
        host.calls.clear();
        DllGains().fill(1234);
        AutopilotReport report;
        EXPECT_EQ(Press({Type(kFirstField, "40"), Type(kLastField, "200"), Type(kFramesField, "5"), c.close}, &report), 0)
            << c.name;
        EXPECT_TRUE(report.finished && !report.timed_out) << c.name;
        EXPECT_EQ(host.calls, (std::vector<HostCall>{kSystemInfo, kFileInfo})) << c.name;
        GainRow untouched;
        untouched.fill(1234);
        EXPECT_TRUE(DllGains() == untouched) << c.name;
    }
    // Not busy any more: the next press opens the dialog again, with the defaults.
    AutopilotReport report;
    Press({Read(kFirstField), Read(kLastField), Read(kFramesField), Click(IDCANCEL)}, &report);
    EXPECT_EQ(Texts(report), (std::vector<std::string>{"16", "463", "1"}));
}

TEST_F(SearchCommandTest, ConfirmedValuesAreNotOfferedAgain) {
    EXPECT_EQ(Press({Type(kFirstField, "40"), Type(kLastField, "200"), Type(kFramesField, "5"), Click(IDOK)}), 1);
    AutopilotReport report;
    Press({Read(kFirstField), Read(kLastField), Read(kFramesField), Click(IDCANCEL)}, &report);
    EXPECT_EQ(Texts(report), (std::vector<std::string>{"16", "463", "1"}));
}

TEST_F(SearchCommandTest, NoVideoOpenAsksTheHostTwiceAndShowsNothing) {
    host.system_flags = 0;
    AutopilotReport report;
    EXPECT_EQ(Press({Click(IDOK)}, &report), 0);
    EXPECT_FALSE(report.found);
    EXPECT_EQ(host.calls, (std::vector<HostCall>{kSystemInfo, kFileInfo}));
    EXPECT_EQ(DllGains(), NeutralGains());
}

TEST_F(SearchCommandTest, OnlyTheButtonsCommandIsHeard) {
    struct Case {
        std::uint32_t message;
        std::uintptr_t wparam;
    };
    const Case kOthers[] = {{WM_COMMAND, 12005}, {WM_COMMAND, 1},     {WM_PAINT, 12004},
                            {WM_USER, 12004},    {WM_COMMAND, 12004u << 16}};
    for (const Case& c : kOthers) {
        EXPECT_EQ(Send(c.message, c.wparam), 0) << c.message << " " << c.wparam;
        EXPECT_TRUE(host.calls.empty()) << c.message << " " << c.wparam;
    }
    // Any high word: still the search command.
    StartAutopilot({Click(IDCANCEL)});
    Send(WM_COMMAND, (0xBEEFu << 16) | 12004);
    EXPECT_TRUE(StopAutopilot().found);
    EXPECT_EQ(host.calls, (std::vector<HostCall>{kSystemInfo, kFileInfo}));
}

// Calls made from inside the open dialog, as a host may while its modal loop
// runs: each must return 0 at once without touching the host.
SearchCommandTest* reentrant_test = nullptr;
std::vector<std::int32_t> reentrant_results;
std::size_t calls_before_reentry = 0;

void CallAgain(HWND) {
    calls_before_reentry = reentrant_test->host.calls.size();
    reentrant_results.push_back(reentrant_test->Send(WM_COMMAND, 12004));
    reentrant_results.push_back(reentrant_test->Send(WM_PAINT, 0));
    reentrant_results.push_back(reentrant_test->Send(WM_COMMAND, 12005));
    if (reentrant_test->host.calls.size() != calls_before_reentry) reentrant_results.push_back(-1);
}

TEST_F(SearchCommandTest, CallsDuringTheDialogReturnZeroAndTheSearchGoesOn) {
    reentrant_test = this;
    reentrant_results.clear();
    AutopilotReport report;
    EXPECT_EQ(Press({Call(CallAgain), Type(kFramesField, "2"), Click(IDOK)}, &report), 1);
    EXPECT_EQ(reentrant_results, (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(host.calls, QueriesThenFrames(2));
    EXPECT_TRUE(DllGains() == Expected(16, 463, 2));
}
}  // namespace
