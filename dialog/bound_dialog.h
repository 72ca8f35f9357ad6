// The dialog value binder: runs a modal dialog from one of the module's
// templates and moves values between numbered slots and the dialog's
// controls, bound by identifier.
#pragma once

#include <windows.h>

#include <cstdint>

// 1 after OK, 2 after Cancel or when the dialog cannot be created.
std::int32_t ShowBoundDialog(const char* template_name, const char* caption, HWND parent, HINSTANCE instance);

std::int32_t GetIntSlot(std::int32_t slot);
std::int32_t SetIntSlot(std::int32_t slot, std::int32_t value);
