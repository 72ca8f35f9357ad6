#include "dialog/bound_dialog.h"

namespace {

struct ComboSlot {
    const char* const* items;
    std::int32_t selection;
    char text[kSlotTextSize];
};

struct ListSlot {
    const char* const* items;
    const std::int32_t* groups;
};

constinit std::int32_t IntSlots[kSlotCount] = {};
constinit char TextSlots[kSlotCount][kSlotTextSize] = {};
constinit std::int32_t CheckSlots[kSlotCount] = {};
constinit ComboSlot ComboSlots[kSlotCount] = {};
constinit ListSlot ListSlots[kSlotCount] = {};
constinit const char* TitleOverride = nullptr;
constinit BoundCommandHook CommandHook = nullptr;
constinit BoundMessageHook MessageHook = nullptr;

// Remembers the selected list item while the box is refilled. LB_GETTEXT
// takes no size, so an item longer than 255 bytes is read here whole and
// only its first 255 bytes are kept.
constexpr std::int32_t kLongItemSize = 4096;
constinit char LongItemText[kLongItemSize] = {};

// Copies at most 255 bytes of text and the NUL.
void CopySlotText(char* destination, const char* text) {
    std::int32_t i = 0;
    for (; text && text[i] != '\0' && i < kSlotTextSize - 1; ++i) destination[i] = text[i];
    destination[i] = '\0';
}

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam) {
    return SendDlgItemMessageA(dialog, id, message, wparam, lparam);
}

// The selected item's text, cut to 255 bytes, or the empty text when no item
// is selected or it cannot be read.
void ReadSelectedListItem(HWND dialog, int id, char* buffer) {
    buffer[0] = '\0';
    const LRESULT selected = SendItem(dialog, id, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return;
    const LRESULT length = SendItem(dialog, id, LB_GETTEXTLEN, selected, 0);
    if (length < 0) return;
    if (length < kSlotTextSize) {
        SendItem(dialog, id, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(buffer));
    } else if (length < kLongItemSize) {
        SendItem(dialog, id, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(LongItemText));
        CopySlotText(buffer, LongItemText);
    }
}

void LoadSlot(HWND dialog, std::int32_t slot) {
    const int int_id = kIntSlotBase + slot;
    if (GetDlgItem(dialog, int_id)) SetDlgItemInt(dialog, int_id, static_cast<UINT>(IntSlots[slot]), TRUE);

    const int text_id = kTextSlotBase + slot;
    if (GetDlgItem(dialog, text_id)) SetDlgItemTextA(dialog, text_id, TextSlots[slot]);

    const int check_id = kCheckSlotBase + slot;
    if (GetDlgItem(dialog, check_id)) CheckDlgButton(dialog, check_id, static_cast<UINT>(CheckSlots[slot]));

    const int combo_id = kComboSlotBase + slot;
    if (GetDlgItem(dialog, combo_id)) {
        const ComboSlot& combo = ComboSlots[slot];
        for (const char* const* item = combo.items; item && *item; ++item)
            SendItem(dialog, combo_id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(*item));
        if (combo.selection < 0)
            SetDlgItemTextA(dialog, combo_id, combo.text);
        else
            SendItem(dialog, combo_id, CB_SETCURSEL, static_cast<WPARAM>(combo.selection), 0);
    }

    const int list_id = kListSlotBase + slot;
    if (GetDlgItem(dialog, list_id)) {
        FillListSlot(dialog, slot);
        SendItem(dialog, list_id, LB_SETCURSEL, 0, 0);
    }
}

void StoreSlot(HWND dialog, std::int32_t slot) {
    const int int_id = kIntSlotBase + slot;
    if (GetDlgItem(dialog, int_id)) IntSlots[slot] = static_cast<std::int32_t>(GetDlgItemInt(dialog, int_id, nullptr, TRUE));

    const int text_id = kTextSlotBase + slot;
    if (GetDlgItem(dialog, text_id)) GetDlgItemTextA(dialog, text_id, TextSlots[slot], kSlotTextSize);

    const int check_id = kCheckSlotBase + slot;
    if (GetDlgItem(dialog, check_id)) CheckSlots[slot] = static_cast<std::int32_t>(IsDlgButtonChecked(dialog, check_id));

    const int combo_id = kComboSlotBase + slot;
    if (GetDlgItem(dialog, combo_id)) {
        GetDlgItemTextA(dialog, combo_id, ComboSlots[slot].text, kSlotTextSize);
        ComboSlots[slot].selection = static_cast<std::int32_t>(SendItem(dialog, combo_id, CB_GETCURSEL, 0, 0));
    }
    // List boxes are never read back.
}

}  // namespace

std::int32_t ShowBoundDialog(const char* template_name, const char* caption, HWND parent, HINSTANCE instance) {
    TitleOverride = caption;
    const INT_PTR result = DialogBoxParamA(instance, template_name, parent, BoundDialogProc, 0);
    CommandHook = nullptr;
    MessageHook = nullptr;
    return result == -1 ? 2 : static_cast<std::int32_t>(result);
}

INT_PTR CALLBACK BoundDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        if (TitleOverride) SetWindowTextA(dialog, TitleOverride);
        LoadDialogSlots(dialog);
        if (CommandHook) CommandHook(dialog, BoundDialogOpened);
        return 1;  // the window system focuses the first tab stop
    }
    if (message == WM_COMMAND) {
        // Only the identifier counts: any notification with 1 or 2 ends the dialog.
        const std::int32_t id = LOWORD(wparam);
        if (id == IDOK) {
            StoreDialogSlots(dialog);
            if (CommandHook) CommandHook(dialog, BoundDialogClosing);
            EndDialog(dialog, 1);
        } else if (id == IDCANCEL) {
            if (CommandHook) CommandHook(dialog, BoundDialogClosing);
            EndDialog(dialog, 2);
        } else if (CommandHook) {
            CommandHook(dialog, id);
        }
    }
    return MessageHook ? MessageHook(dialog, message, wparam, lparam) : 0;
}

std::int32_t LoadDialogSlots(HWND dialog) {
    for (std::int32_t slot = 0; slot < kSlotCount; ++slot) LoadSlot(dialog, slot);
    return 1;
}

std::int32_t StoreDialogSlots(HWND dialog) {
    for (std::int32_t slot = 0; slot < kSlotCount; ++slot) StoreSlot(dialog, slot);
    return 1;
}

// Lists the items by group number 0..255, one group after the other in list
// order, and selects again the last added item whose text equals the one
// selected before. Items of other group numbers are left out.
std::int32_t FillListSlot(HWND dialog, std::int32_t slot) {
    const int id = kListSlotBase + slot;
    char selected[kSlotTextSize];
    ReadSelectedListItem(dialog, id, selected);
    SendItem(dialog, id, LB_RESETCONTENT, 0, 0);

    const ListSlot& list = ListSlots[slot];
    std::int32_t position = 0;  // the item's place in a box that keeps the order of adding
    for (std::int32_t group = 0; group < 256; ++group) {
        for (std::int32_t i = 0; list.items && list.items[i]; ++i) {
            const std::int32_t item_group = list.groups ? list.groups[i] : 0;
            if (item_group != group) continue;
            SendItem(dialog, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list.items[i]));
            if (lstrcmpA(list.items[i], selected) == 0) SendItem(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(position), 0);
            ++position;
        }
    }
    return 1;
}

std::int32_t GetIntSlot(std::int32_t slot) { return IntSlots[slot]; }
std::int32_t SetIntSlot(std::int32_t slot, std::int32_t value) {
    IntSlots[slot] = value;
    return 1;
}

std::int32_t SetTextSlot(std::int32_t slot, const char* text) {
    CopySlotText(TextSlots[slot], text);
    return 1;
}
const char* GetTextSlot(std::int32_t slot) { return TextSlots[slot]; }

std::int32_t SetCheckSlot(std::int32_t slot, std::int32_t state) {
    CheckSlots[slot] = state;
    return 1;
}
std::int32_t GetCheckSlot(std::int32_t slot) { return CheckSlots[slot]; }

std::int32_t SetComboSlot(std::int32_t slot, const char* const* items, std::int32_t selection, const char* text) {
    ComboSlots[slot].items = items;
    ComboSlots[slot].selection = selection;
    CopySlotText(ComboSlots[slot].text, text);
    return 1;
}
std::int32_t GetComboSelection(std::int32_t slot) { return ComboSlots[slot].selection; }
const char* GetComboText(std::int32_t slot) { return ComboSlots[slot].text; }

std::int32_t SetListSlot(std::int32_t slot, const char* const* items, const std::int32_t* groups) {
    ListSlots[slot].items = items;
    ListSlots[slot].groups = groups;
    return 1;
}

std::int32_t SetCommandHook(BoundCommandHook hook) {
    CommandHook = hook;
    return 1;
}
std::int32_t SetMessageHook(BoundMessageHook hook) {
    MessageHook = hook;
    return 1;
}
