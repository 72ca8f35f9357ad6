// Runs one of the test templates through the binder with the autopilot, and
// snapshots of every store for before/after comparisons.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "dialog/bound_dialog.h"
#include "tests/support/dialog_autopilot.h"

struct DialogRun {
    std::int32_t result;
    AutopilotReport report;
};

inline DialogRun RunDialog(const char* name, std::initializer_list<AutopilotStep> script,
                           const char* caption = nullptr) {
    StartAutopilot(script);
    const std::int32_t result = ShowBoundDialog(name, caption, nullptr, GetModuleHandleA(nullptr));
    return {result, StopAutopilot()};
}

// The controls of the KINDS template.
inline constexpr int kKindsInt = kIntSlotBase + 3;
inline constexpr int kKindsText = kTextSlotBase + 1;
inline constexpr int kKindsCheck = kCheckSlotBase + 2;
inline constexpr int kKindsCombo = kComboSlotBase + 4;
inline constexpr int kKindsList = kListSlotBase + 5;
inline constexpr int kKindsOther = 100;

struct StoreSnapshot {
    std::array<std::int32_t, kSlotCount> ints;
    std::array<std::string, kSlotCount> texts;
    std::array<std::int32_t, kSlotCount> checks;
    std::array<std::int32_t, kSlotCount> combo_selections;
    std::array<std::string, kSlotCount> combo_texts;
    bool operator==(const StoreSnapshot&) const = default;
};

inline StoreSnapshot Snapshot() {
    StoreSnapshot s;
    for (int i = 0; i < kSlotCount; ++i) {
        s.ints[i] = GetIntSlot(i);
        s.texts[i] = GetTextSlot(i);
        s.checks[i] = GetCheckSlot(i);
        s.combo_selections[i] = GetComboSelection(i);
        s.combo_texts[i] = GetComboText(i);
    }
    return s;
}

inline constexpr const char* kComboItems[] = {"alpha", "beta", "gamma", nullptr};
inline constexpr const char* kListItems[] = {"one", "two", nullptr};

// Distinct values in every entry of every store, item lists in every slot.
inline void PrimeAllStores() {
    for (int i = 0; i < kSlotCount; ++i) {
        const std::string text = "slot" + std::to_string(i);
        SetIntSlot(i, 1000 + i);
        SetTextSlot(i, text.c_str());
        SetCheckSlot(i, i % 3);
        SetComboSlot(i, kComboItems, i % 3, ("combo" + text).c_str());
        SetListSlot(i, kListItems, nullptr);
    }
}
