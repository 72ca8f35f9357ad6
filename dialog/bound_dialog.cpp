#include "dialog/bound_dialog.h"

namespace {
constinit std::int32_t IntSlots[16] = {};
}

std::int32_t ShowBoundDialog(const char*, const char*, HWND, HINSTANCE) { return 2; }
std::int32_t GetIntSlot(std::int32_t slot) { return IntSlots[slot]; }
std::int32_t SetIntSlot(std::int32_t slot, std::int32_t value) {
    IntSlots[slot] = value;
    return 1;
}
