// Loading on open, storing on OK, and every form of Cancel storing nothing.
#include <algorithm>
#include <vector>

#include "tests/dialog/run_dialog.h"

namespace {

std::vector<std::int32_t> heard;
void RecordCommand(HWND, std::int32_t command) { heard.push_back(command); }

TEST(SlotStores, OkStoresTheBoundIntegersAndNothingElse) {
    PrimeAllStores();
    StoreSnapshot expected = Snapshot();
    expected.ints[0] = 5;
    expected.ints[1] = -6;
    expected.ints[2] = 7;
    const DialogRun run = RunDialog("INTS", {Type(32000, "5"), Type(32001, "-6"), Type(32002, "7"), Click(IDOK)});
    EXPECT_EQ(run.result, 1);
    EXPECT_TRUE(run.report.finished);
    EXPECT_EQ(Snapshot(), expected);
}

TEST(SlotStores, IntegerFieldsShowSignedValues) {
    SetIntSlot(0, -42);
    SetIntSlot(1, 2147483647);
    SetIntSlot(2, -2147483647 - 1);
    const DialogRun run = RunDialog("INTS", {Read(32000), Read(32001), Read(32002), Click(IDCANCEL)});
    ASSERT_EQ(run.report.readings.size(), 3u);
    EXPECT_EQ(run.report.readings[0].text, "-42");
    EXPECT_EQ(run.report.readings[1].text, "2147483647");
    EXPECT_EQ(run.report.readings[2].text, "-2147483648");
}

TEST(SlotStores, IntegerFieldReadsAsSignedOrZero) {
    struct Case {
        const char* typed;
        std::int32_t stored;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"4294967297", 0},  // beyond 32 bits, not wrapped to 1
        {"-17", -17},
        {"2147483646", 2147483646},  // Wine's reading refuses the two extremes
        {"-2147483647", -2147483647},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SetIntSlot(1, 99);
        const DialogRun run = RunDialog("INTS", {Type(32001, c.typed), Click(IDOK)});
        EXPECT_EQ(run.result, 1);
        EXPECT_EQ(GetIntSlot(1), c.stored);
    }
}

TEST(SlotStores, EveryWayOfConfirming) {
    struct Case {
        const char* name;
        AutopilotStep confirm;
    };
    const Case cases[] = {
        {"OK clicked", Click(IDOK)},
        {"Enter in a field", Key(VK_RETURN)},
        {"IDOK with another notification", Command(IDOK)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetIntSlot(0, 1);
        const DialogRun run = RunDialog("INTS", {Type(32000, "321"), c.confirm});
        EXPECT_EQ(run.result, 1);
        EXPECT_EQ(GetIntSlot(0), 321);
    }
}

TEST(SlotStores, EveryWayOfCancellingStoresNothingButIsHeard) {
    struct Case {
        const char* name;
        AutopilotStep cancel;
    };
    const Case cases[] = {
        {"Cancel clicked", Click(IDCANCEL)},
        {"Esc", Key(VK_ESCAPE)},
        {"close box", CloseBox()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrimeAllStores();
        const StoreSnapshot before = Snapshot();
        heard.clear();
        SetCommandHook(RecordCommand);
        const DialogRun run =
            RunDialog("KINDS", {Type(kKindsInt, "77"), Type(kKindsText, "changed"), Type(kKindsCombo, "typed"), c.cancel});
        EXPECT_EQ(run.result, 2);
        EXPECT_FALSE(run.report.timed_out);
        EXPECT_EQ(Snapshot(), before);
        // Focus notifications may follow while the dialog is torn down.
        EXPECT_EQ(std::count(heard.begin(), heard.end(), BoundDialogClosing), 1);
    }
}

// A Shift-JIS text survives the ANSI round trip; 300 bytes keep 255.
TEST(SlotStores, TextFieldsRoundTripAndLongTextsAreCut) {
    const std::string sjis = "\x83\x5b\x83\x74\x83\x48";  // "zefo" in katakana, trail bytes '[' and 't'
    SetTextSlot(1, sjis.c_str());
    DialogRun run = RunDialog("KINDS", {Read(kKindsText), Click(IDOK)});
    ASSERT_EQ(run.report.readings.size(), 1u);
    EXPECT_EQ(run.report.readings[0].text, sjis);
    EXPECT_EQ(GetTextSlot(1), sjis);

    std::string typed;
    for (int i = 0; i < 300; ++i) typed += static_cast<char>('a' + i % 26);
    run = RunDialog("KINDS", {Type(kKindsText, typed.c_str()), Read(kKindsText), Click(IDOK)});
    EXPECT_EQ(run.report.readings.at(0).text, typed);  // the field took all 300
    EXPECT_EQ(GetTextSlot(1), typed.substr(0, 255));

    SetTextSlot(2, typed.c_str());
    EXPECT_EQ(GetTextSlot(2), typed.substr(0, 255));
}

std::int32_t shown_check = -1;
void RecordAndSetCheck(HWND dialog) {
    shown_check = static_cast<std::int32_t>(IsDlgButtonChecked(dialog, kKindsCheck));
    CheckDlgButton(dialog, kKindsCheck, BST_CHECKED);
}

TEST(SlotStores, CheckBoxShowsAndStoresItsState) {
    SetCheckSlot(2, BST_INDETERMINATE);
    RunDialog("KINDS", {Call(RecordAndSetCheck), Click(IDOK)});
    EXPECT_EQ(shown_check, BST_INDETERMINATE);
    EXPECT_EQ(GetCheckSlot(2), BST_CHECKED);
}

TEST(SlotStores, ComboBoxSelectionAndText) {
    struct Case {
        const char* name;
        const char* const* items;
        std::int32_t selection;
        std::vector<AutopilotStep> steps;  // played before OK
        AutopilotReading shown;
        std::int32_t stored_selection;
        const char* stored_text;
    };
    const Case cases[] = {
        {"selected item", kComboItems, 1, {}, {"beta", 1}, 1, "beta"},
        {"negative: stored text, none selected", kComboItems, -1, {}, {"kept", -1}, -1, "kept"},
        {"typed text none of the items", kComboItems, 0, {Type(kKindsCombo, "other")}, {"alpha", 0}, -1, "other"},
        {"choosing an item", kComboItems, -1, {Select(kKindsCombo, 2)}, {"kept", -1}, 2, "gamma"},
        {"no item list counts as empty", nullptr, 0, {}, {"", -1}, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetComboSlot(4, c.items, c.selection, "kept");
        std::vector<AutopilotStep> script = {Read(kKindsCombo)};
        script.insert(script.end(), c.steps.begin(), c.steps.end());
        script.push_back(Click(IDOK));
        StartAutopilot(script);
        const std::int32_t result = ShowBoundDialog("KINDS", nullptr, nullptr, GetModuleHandleA(nullptr));
        const AutopilotReport report = StopAutopilot();
        EXPECT_EQ(result, 1);
        ASSERT_EQ(report.readings.size(), 1u);
        EXPECT_EQ(report.readings[0].text, c.shown.text);
        EXPECT_EQ(report.readings[0].selection, c.shown.selection);
        EXPECT_EQ(GetComboSelection(4), c.stored_selection);
        EXPECT_STREQ(GetComboText(4), c.stored_text);
    }
    SetComboSlot(4, kComboItems, 0, "");
}

}  // namespace
