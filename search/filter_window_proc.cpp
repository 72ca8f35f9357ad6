#include "search/filter_window_proc.h"

std::int32_t ZEPHO_CDECL FilterWindowProc(void*, std::uint32_t, std::uintptr_t, std::intptr_t, EditHandle,
                                          FilterTable*) {
    return 0;
}
