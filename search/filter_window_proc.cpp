#include "search/filter_window_proc.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "dialog/bound_dialog.h"
#include "search/estimate_column_gains.h"

namespace {
// Set from the moment a search finds a video open until it returns.
constinit std::int32_t searchBusy = 0;

// Lines 0..15 and height-16..height-1 are left out by default.
constexpr std::int32_t kDefaultFirstLine = 16;
constexpr std::int32_t kDefaultMarginBelow = 17;

std::int32_t RunSearch(void* window, EditHandle edit, FilterTable* table, const SystemInfoRecord& system,
                       const FileInfoRecord& file) {
    SetIntSlot(0, kDefaultFirstLine);
    SetIntSlot(1, file.height - kDefaultMarginBelow);
    SetIntSlot(2, 1);
    if (ShowBoundDialog("ZEPHO", nullptr, static_cast<HWND>(window), static_cast<HINSTANCE>(table->instance)) != 1)
        return 0;
    std::int32_t first = GetIntSlot(0);
    std::int32_t last = GetIntSlot(1);
    const std::int32_t frames = GetIntSlot(2);
    if (first > last) std::swap(first, last);

    // The estimation reads every line of the range: keep it within the
    // frame. A range wholly above or below the frame, or a frame without
    // lines, leaves nothing to measure.
    first = std::max(first, 0);
    last = std::min(last, file.height - 1);
    if (first > last) return 0;
    return EstimateColumnGains(file.width, first, last, frames, edit, table->services, system.pitch);
}
}  // namespace

std::int32_t OnSearchButton(void* window, EditHandle edit, FilterTable* table) {
    SystemInfoRecord system{};
    FileInfoRecord file{};
    table->services->system_info(edit, &system);
    table->services->file_info(edit, &file);
    if (!(system.flags & kSystemEditing)) return 0;

    searchBusy = 1;
    const std::int32_t result = RunSearch(window, edit, table, system, file);
    searchBusy = 0;
    return result;
}

std::int32_t ZEPHO_CDECL FilterWindowProc(void* window, std::uint32_t message, std::uintptr_t wparam,
                                          std::intptr_t, EditHandle edit, FilterTable* table) {
    if (searchBusy) return 0;
    if (message != WM_COMMAND || LOWORD(wparam) != kSearchButtonCommand) return 0;
    return OnSearchButton(window, edit, table);
}
