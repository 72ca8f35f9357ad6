// The filter window's entry: the host forwards the filter window's messages.
#pragma once

#include "host/host_records.h"

// 1 when a search replaced the column gains, 0 for every other call.
std::int32_t ZEPHO_CDECL FilterWindowProc(void* window, std::uint32_t message, std::uintptr_t wparam,
                                          std::intptr_t lparam, EditHandle edit, FilterTable* table);
