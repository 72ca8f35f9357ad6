// The hooks serve one dialog; the caption override; a missing template.
#include <algorithm>
#include <vector>

#include "tests/dialog/run_dialog.h"

namespace {

std::vector<std::int32_t> commands;
std::vector<UINT> messages;
void RecordCommand(HWND, std::int32_t command) { commands.push_back(command); }
std::int32_t RecordMessage(HWND, UINT message, WPARAM, LPARAM) {
    messages.push_back(message);
    return 0;
}
void InstallBothHooks() {
    commands.clear();
    messages.clear();
    SetCommandHook(RecordCommand);
    SetMessageHook(RecordMessage);
}
bool Contains(const std::vector<UINT>& v, UINT m) { return std::find(v.begin(), v.end(), m) != v.end(); }
std::ptrdiff_t IndexOf(std::int32_t command) {
    return std::find(commands.begin(), commands.end(), command) - commands.begin();
}

TEST(Hooks, CommandHookHearsOpenedOtherCommandsAndClosing) {
    PrimeAllStores();
    InstallBothHooks();
    const DialogRun run = RunDialog("KINDS", {Click(kKindsOther), Click(IDOK)});
    EXPECT_EQ(run.result, 1);
    ASSERT_FALSE(commands.empty());
    // Loading's own notifications come first, then Opened, the button, Closing.
    EXPECT_LT(IndexOf(BoundDialogOpened), IndexOf(kKindsOther));
    EXPECT_EQ(commands.back(), BoundDialogClosing);
    EXPECT_EQ(IndexOf(IDOK), static_cast<std::ptrdiff_t>(commands.size()));
    EXPECT_FALSE(Contains(messages, WM_INITDIALOG));
    EXPECT_TRUE(Contains(messages, WM_COMMAND));
}

TEST(Hooks, ClearedAfterEveryDialog) {
    struct Case {
        const char* name;
        const char* template_name;
        AutopilotStep end;
        std::int32_t result;
    };
    const Case cases[] = {
        {"after OK", "INTS", Click(IDOK), 1},
        {"after Cancel", "INTS", Key(VK_ESCAPE), 2},
        {"when creation fails", "NO_SUCH_TEMPLATE", Click(IDOK), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallBothHooks();
        EXPECT_EQ(RunDialog(c.template_name, {c.end}).result, c.result);
        commands.clear();
        messages.clear();
        EXPECT_EQ(RunDialog("INTS", {Click(IDCANCEL)}).result, 2);
        EXPECT_TRUE(commands.empty());
        EXPECT_TRUE(messages.empty());
    }
}

TEST(ShowBoundDialog, MissingTemplateGivesCancelAtOnceAndStoresNothing) {
    PrimeAllStores();
    const StoreSnapshot before = Snapshot();
    const DialogRun run = RunDialog("NO_SUCH_TEMPLATE", {Click(IDOK)});
    EXPECT_EQ(run.result, 2);
    EXPECT_FALSE(run.report.found);
    EXPECT_EQ(Snapshot(), before);
}

TEST(ShowBoundDialog, CaptionOverrideServesOneDialog) {
    const char* const template_caption = "\x8c\x8b\x8d\x87\x83\x65\x83\x58\x83\x67";      // 結合テスト
    const char* const given_caption = "\x83\x5b\x83\x74\x83\x48\x82\xcc\x8c\x9f\x8d\xf5";  // ゼフォの検索
    struct Case {
        const char* caption;
        const char* shown;
    };
    const Case cases[] = {{nullptr, template_caption}, {given_caption, given_caption}, {nullptr, template_caption}};
    for (const Case& c : cases) {
        const DialogRun run = RunDialog("KINDS", {Caption(), Click(IDCANCEL)}, c.caption);
        EXPECT_EQ(run.report.caption, c.shown);
    }
}

}  // namespace
