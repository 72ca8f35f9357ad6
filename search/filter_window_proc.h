// The filter window's entry and the search command behind its button.
#pragma once

#include "host/host_records.h"

// The command of the search button: WM_COMMAND with this in wParam's low word.
inline constexpr std::uint16_t kSearchButtonCommand = 12004;

// 1 when a search replaced the column gains, 0 for every other call. While a
// search is under way (its dialog runs a nested message loop) every call
// returns 0 at once.
std::int32_t ZEPHO_CDECL FilterWindowProc(void* window, std::uint32_t message, std::uintptr_t wparam,
                                          std::intptr_t lparam, EditHandle edit, FilterTable* table);

// Asks the host for the frame's size, offers the line range and the number of
// frames in the dialog "ZEPHO", and on OK measures new gains.
std::int32_t OnSearchButton(void* window, EditHandle edit, FilterTable* table);
