// Shows the real search dialog of zepho.auf the way a host would: a filter
// window, a service table that reports a 720x480 video open for editing,
// and the search button's command. The dialog is cancelled after the given
// number of milliseconds (default 4000), so a screenshot can be taken
// meanwhile. Not a test: tools/dialog-picture.sh runs it under Xvfb.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "host/host_records.h"
#include "tests/plugin/loaded_plugin.h"

namespace {
std::int32_t ZEPHO_CDECL SystemInfo(EditHandle, SystemInfoRecord* info) {
    info->flags = kSystemEditing;
    info->pitch = 720;
    return 1;
}

std::int32_t ZEPHO_CDECL FileInfo(EditHandle, FileInfoRecord* info) {
    info->width = 720;
    info->height = 480;
    return 1;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    char name[16];
    if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "#32770") == 0)
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0); }
}  // namespace

int main(int argc, char** argv) {
    const UINT delay = argc > 1 ? UINT(std::atoi(argv[1])) : 4000;
    LoadedPlugin plugin;
    if (!plugin.get_filter_table) {
        std::fprintf(stderr, "dialog_preview: cannot load zepho.auf\n");
        return 1;
    }
    static HostServiceTable services{};
    services.system_info = SystemInfo;
    services.file_info = FileInfo;
    static std::int32_t track_values[1] = {256};
    FilterTable* table = plugin.get_filter_table();
    table->track_values = track_values;
    table->services = &services;
    table->instance = plugin.module;

    HWND owner = CreateWindowExA(0, "STATIC", "zepho", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 24, 24, 360, 260, nullptr,
                                 nullptr, nullptr, nullptr);
    SetTimer(nullptr, 0, delay, OnTimer);
    int result = table->window_proc(owner, WM_COMMAND, 12004, 0, nullptr, table);
    std::printf("dialog closed, result %d\n", result);
    DestroyWindow(owner);
    return 0;
}
