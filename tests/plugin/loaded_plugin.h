// zepho.auf loaded the way a host loads it, for tests of the built DLL.
#pragma once

#include <windows.h>

#include "host/host_records.h"

struct LoadedPlugin {
    HMODULE module = nullptr;
    FilterTable* (*get_filter_table)() = nullptr;

    LoadedPlugin() {
        module = LoadLibraryA("zepho.auf");
        if (module)
            get_filter_table = reinterpret_cast<FilterTable* (*)()>(
                reinterpret_cast<void*>(GetProcAddress(module, "GetFilterTable")));
    }
    ~LoadedPlugin() {
        if (module) FreeLibrary(module);
    }
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;
};
