// Drives the next modal dialog that opens on this thread through a script of
// steps, played by a thread timer from inside the dialog's own message loop.
// Keys and typed characters are posted to the focused control as WM_KEYDOWN
// and WM_CHAR, so it needs no screen and works under Wine's null driver.
//
//   StartAutopilot({Type(32000, "12"), Key(VK_RETURN)});
//   int result = ShowBoundDialog(...);
//   AutopilotReport report = StopAutopilot();
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

enum class AutopilotAction {
    Type,     // focus the control, select all, erase, post the text's bytes as WM_CHAR
    Select,   // LB_SETCURSEL / CB_SETCURSEL with `value` (by the control's class)
    Read,     // record the control's text (a list box: its items joined by '|') and selection
    Caption,  // record the dialog's caption
    Click,    // BM_CLICK on the button `control`
    Command,  // send WM_COMMAND with `control` in the low word to the dialog
    Key,      // post WM_KEYDOWN `value` to the focused control
    CloseBox, // post WM_SYSCOMMAND SC_CLOSE to the dialog
    Call,     // run `call`(dialog) on the dialog's thread
};

struct AutopilotStep {
    AutopilotAction action;
    int control = 0;
    const char* text = nullptr;
    int value = 0;
    void (*call)(HWND dialog) = nullptr;
};

inline AutopilotStep Type(int control, const char* text) { return {AutopilotAction::Type, control, text}; }
inline AutopilotStep Select(int control, int index) { return {AutopilotAction::Select, control, nullptr, index}; }
inline AutopilotStep Read(int control) { return {AutopilotAction::Read, control}; }
inline AutopilotStep Caption() { return {AutopilotAction::Caption}; }
inline AutopilotStep Click(int button) { return {AutopilotAction::Click, button}; }
inline AutopilotStep Command(int id) { return {AutopilotAction::Command, id}; }
inline AutopilotStep Key(int virtual_key) { return {AutopilotAction::Key, 0, nullptr, virtual_key}; }
inline AutopilotStep CloseBox() { return {AutopilotAction::CloseBox}; }
inline AutopilotStep Call(void (*call)(HWND)) { return {AutopilotAction::Call, 0, nullptr, 0, call}; }

struct AutopilotReading {
    std::string text;
    int selection = -1;  // LB_GETCURSEL / CB_GETCURSEL, -1 for other controls
};

struct AutopilotReport {
    bool found = false;      // a dialog opened while the autopilot ran
    bool finished = false;   // every step was played
    bool timed_out = false;  // the dialog stayed open after the script; it was cancelled
    std::string caption;     // from the last Caption step
    std::vector<AutopilotReading> readings;  // one per Read step, in order
};

// Arms the autopilot for the next dialog on this thread.
void StartAutopilot(std::initializer_list<AutopilotStep> script);
void StartAutopilot(const std::vector<AutopilotStep>& script);
// Disarms it and tells what it did.
AutopilotReport StopAutopilot();
