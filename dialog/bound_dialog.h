// The dialog value binder: runs a modal dialog from one of the module's
// templates and moves values between numbered slots and the dialog's
// controls, bound by identifier. All state is module-wide static storage;
// everything runs on the thread that shows the dialog.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr std::int32_t kSlotCount = 16;
inline constexpr std::int32_t kSlotTextSize = 256;  // 255 bytes and the NUL

// Control identifiers: base + slot.
inline constexpr int kIntSlotBase = 32000;
inline constexpr int kTextSlotBase = 32100;
inline constexpr int kCheckSlotBase = 32200;
inline constexpr int kComboSlotBase = 32500;
inline constexpr int kListSlotBase = 32600;

// Pseudo commands given only to the command hook, above every slot control.
inline constexpr std::int32_t BoundDialogOpened = 32705;
inline constexpr std::int32_t BoundDialogClosing = 32706;

using BoundCommandHook = void (*)(HWND dialog, std::int32_t command);
using BoundMessageHook = std::int32_t (*)(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// 1 after OK, 2 after Cancel or when the dialog cannot be created, any other
// result of the dialog unchanged. Clears both hooks whatever happens.
std::int32_t ShowBoundDialog(const char* template_name, const char* caption, HWND parent, HINSTANCE instance);

INT_PTR CALLBACK BoundDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
std::int32_t LoadDialogSlots(HWND dialog);
std::int32_t StoreDialogSlots(HWND dialog);
std::int32_t FillListSlot(HWND dialog, std::int32_t slot);

std::int32_t GetIntSlot(std::int32_t slot);
std::int32_t SetIntSlot(std::int32_t slot, std::int32_t value);

// Texts are copied in, cut to 255 bytes.
std::int32_t SetTextSlot(std::int32_t slot, const char* text);
const char* GetTextSlot(std::int32_t slot);

std::int32_t SetCheckSlot(std::int32_t slot, std::int32_t state);
std::int32_t GetCheckSlot(std::int32_t slot);

// Item lists end with a null entry and stay the caller's: the binder keeps
// the reference. A null list counts as empty. Group numbers, when given,
// hold one number per item.
std::int32_t SetComboSlot(std::int32_t slot, const char* const* items, std::int32_t selection, const char* text);
std::int32_t GetComboSelection(std::int32_t slot);
const char* GetComboText(std::int32_t slot);
std::int32_t SetListSlot(std::int32_t slot, const char* const* items, const std::int32_t* groups);

// Each hook serves the next dialog only.
std::int32_t SetCommandHook(BoundCommandHook hook);
std::int32_t SetMessageHook(BoundMessageHook hook);
