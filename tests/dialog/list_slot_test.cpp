// List boxes: listed by group number, first item selected on open, and the
// re-selection after a refill.
#include <vector>

#include "tests/dialog/run_dialog.h"

namespace {

constexpr int kSlot = 5;

AutopilotReading ShownList() {
    const DialogRun run = RunDialog("KINDS", {Read(kKindsList), Click(IDOK)});
    EXPECT_EQ(run.result, 1);
    return run.report.readings.empty() ? AutopilotReading{"(not read)", -2} : run.report.readings[0];
}

TEST(ListSlot, OrderedByGroupNumberFirstItemSelected) {
    static constexpr const char* wxyz[] = {"W", "X", "Y", "Z", nullptr};
    static constexpr const char* none[] = {nullptr};
    static constexpr std::int32_t grouped[] = {2, 0, 1, 0};
    static constexpr std::int32_t outside[] = {-1, 0, 256, 255};
    struct Case {
        const char* name;
        const char* const* items;
        const std::int32_t* groups;
        const char* listed;
        int selection;
    };
    const Case cases[] = {
        {"groups 2 0 1 0", wxyz, grouped, "X|Z|Y|W", 0},
        {"-1 and 256 not listed", wxyz, outside, "X|Z", 0},
        {"no group numbers: list order", wxyz, nullptr, "W|X|Y|Z", 0},
        {"empty list: no selection", none, nullptr, "", -1},
        {"no item list counts as empty", nullptr, grouped, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetListSlot(kSlot, c.items, c.groups);
        const AutopilotReading shown = ShownList();
        EXPECT_EQ(shown.text, c.listed);
        EXPECT_EQ(shown.selection, c.selection);
    }
}

// One refill: the box is shown with `before`, item `selected` is chosen,
// then the slot's items become `after` and FillListSlot runs.
struct Refill {
    const char* name;
    const char* const* before;
    int selected;
    const char* const* after;
    const std::int32_t* after_groups;
    const char* listed;
    int selection;
};
const Refill* refill = nullptr;

void SelectThenRefill(HWND dialog) {
    SendDlgItemMessageA(dialog, kKindsList, LB_SETCURSEL, static_cast<WPARAM>(refill->selected), 0);
    SetListSlot(kSlot, refill->after, refill->after_groups);
    EXPECT_EQ(FillListSlot(dialog, kSlot), 1);
}

TEST(ListSlot, RefillSelectsTheLastAddedEqualItem) {
    static const std::string long_item(300, 'L');
    static const std::string cut_item(255, 'L');
    static const std::string long_listed = long_item + "|B|" + cut_item;
    static const char* const abt[] = {"A", "B", "T", nullptr};
    static const char* const t_twice[] = {"T", "U", "T", "V", nullptr};
    static constexpr std::int32_t t_twice_groups[] = {1, 0, 0, 2};  // listed T(2) U T(0) V
    static const char* const without_t[] = {"A", "B", nullptr};
    static const char* const with_long[] = {"A", long_item.c_str(), nullptr};
    static const char* const long_and_cut[] = {long_item.c_str(), "B", cut_item.c_str(), nullptr};
    static const char* const none[] = {nullptr};
    const Refill cases[] = {
        {"equal item selected again", abt, 2, abt, nullptr, "A|B|T", 2},
        {"several equal: the last added", abt, 2, t_twice, t_twice_groups, "U|T|T|V", 2},
        {"none equal: no selection", abt, 2, without_t, nullptr, "A|B", -1},
        {"nothing selected before", abt, -1, abt, nullptr, "A|B|T", -1},
        {"empty list after", abt, 0, none, nullptr, "", -1},
        // A 300-byte item is remembered as its first 255 bytes.
        {"long item: its 255-byte cut", with_long, 1, long_and_cut, nullptr, long_listed.c_str(), 2},
    };
    for (const Refill& c : cases) {
        SCOPED_TRACE(c.name);
        refill = &c;
        SetListSlot(kSlot, c.before, nullptr);
        const DialogRun run = RunDialog("KINDS", {Call(SelectThenRefill), Read(kKindsList), Click(IDOK)});
        ASSERT_EQ(run.report.readings.size(), 1u);
        EXPECT_EQ(run.report.readings[0].text, c.listed);
        EXPECT_EQ(run.report.readings[0].selection, c.selection);
    }
    refill = nullptr;
}

}  // namespace
