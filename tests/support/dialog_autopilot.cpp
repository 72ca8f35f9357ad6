#include "tests/support/dialog_autopilot.h"

namespace {

constexpr UINT kTickMs = 10;
constexpr int kIdleTicksAllowed = 200;  // about 2 s after the script before cancelling

struct Autopilot {
    std::vector<AutopilotStep> script;
    std::size_t next = 0;
    HWND dialog = nullptr;
    UINT_PTR timer = 0;
    int idle_ticks = 0;
    bool playing = false;  // guards against ticks from a nested message loop
    AutopilotReport report;
};
Autopilot pilot;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16];
    if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) &&
        IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND OpenDialogOfThisThread() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

AutopilotReading ReadControl(HWND control) {
    AutopilotReading reading;
    const std::string kind = ClassOf(control);
    if (lstrcmpiA(kind.c_str(), "ListBox") == 0) {
        const LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::string item(static_cast<std::size_t>(SendMessageA(control, LB_GETTEXTLEN, i, 0)) + 1, '\0');
            item.resize(static_cast<std::size_t>(SendMessageA(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
            reading.text += (i ? "|" : "") + item;
        }
        reading.selection = static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
    } else {
        reading.text = TextOf(control);
        if (lstrcmpiA(kind.c_str(), "ComboBox") == 0)
            reading.selection = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    }
    return reading;
}

HWND FocusedOr(HWND fallback) {
    HWND focus = GetFocus();
    return focus ? focus : fallback;
}

// Plays one step; true when it posted input that the dialog's loop must
// handle before the next step.
bool Play(const AutopilotStep& step, HWND dialog) {
    HWND control = step.control ? GetDlgItem(dialog, step.control) : nullptr;
    switch (step.action) {
    case AutopilotAction::Type: {
        SetFocus(control);
        HWND target = FocusedOr(control);  // a combo box focuses its edit
        SendMessageA(target, EM_SETSEL, 0, -1);
        PostMessageA(target, WM_CHAR, VK_BACK, 0);
        for (const char* c = step.text; *c; ++c) PostMessageA(target, WM_CHAR, static_cast<unsigned char>(*c), 0);
        return true;
    }
    case AutopilotAction::Select:
        SendMessageA(control, lstrcmpiA(ClassOf(control).c_str(), "ListBox") == 0 ? LB_SETCURSEL : CB_SETCURSEL,
                     static_cast<WPARAM>(step.value), 0);
        return false;
    case AutopilotAction::Read:
        pilot.report.readings.push_back(ReadControl(control));
        return false;
    case AutopilotAction::Caption:
        pilot.report.caption = TextOf(dialog);
        return false;
    case AutopilotAction::Click:
        PostMessageA(control, BM_CLICK, 0, 0);
        return true;
    case AutopilotAction::Command:
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(step.control, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        return true;
    case AutopilotAction::Key:
        PostMessageA(FocusedOr(dialog), WM_KEYDOWN, static_cast<WPARAM>(step.value), 1);
        return true;
    case AutopilotAction::CloseBox:
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    case AutopilotAction::Call:
        step.call(dialog);
        return false;
    }
    return false;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (pilot.playing) return;
    pilot.playing = true;
    if (!pilot.dialog || !IsWindow(pilot.dialog)) {
        pilot.dialog = pilot.next == 0 ? OpenDialogOfThisThread() : nullptr;
        if (pilot.dialog) pilot.report.found = true;
    }
    if (pilot.dialog) {
        bool posted = false;
        while (!posted && pilot.next < pilot.script.size() && IsWindow(pilot.dialog))
            posted = Play(pilot.script[pilot.next++], pilot.dialog);
        if (pilot.next == pilot.script.size()) pilot.report.finished = true;
        if (pilot.report.finished && IsWindow(pilot.dialog) && ++pilot.idle_ticks > kIdleTicksAllowed) {
            pilot.report.timed_out = true;
            EndDialog(pilot.dialog, IDCANCEL);
        }
    }
    pilot.playing = false;
}

}  // namespace

void StartAutopilot(const std::vector<AutopilotStep>& script) {
    StopAutopilot();
    pilot.script = script;
    pilot.timer = SetTimer(nullptr, 0, kTickMs, Tick);
}

void StartAutopilot(std::initializer_list<AutopilotStep> script) { StartAutopilot(std::vector<AutopilotStep>(script)); }

AutopilotReport StopAutopilot() {
    if (pilot.timer) KillTimer(nullptr, pilot.timer);
    AutopilotReport report = std::move(pilot.report);
    pilot = Autopilot{};
    return report;
}
