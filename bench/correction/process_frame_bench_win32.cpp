// ProcessFrame under Wine: the built zepho.auf loaded as the host loads it
// and called through byte 48 of its table, beside each path of the core
// linked into this program and the load/store pass. Each figure is the
// median of a few timed runs of several frames.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "bench/correction/frame_bench.h"
#include "correction/column_gain_table.h"

namespace {
double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

// Median of 5 runs, each of enough frames to last about 40 ms.
double MsPerFrame(const BenchPath& path, BenchFrame& frame) {
    RunPath(path, frame);  // warm-up, and the time of one frame
    double start = Seconds();
    RunPath(path, frame);
    const double one = Seconds() - start;
    const int frames = std::max(1, int(0.04 / std::max(one, 1e-6)));
    double ms[5];
    for (double& m : ms) {
        start = Seconds();
        for (int i = 0; i < frames; ++i) RunPath(path, frame);
        m = (Seconds() - start) * 1e3 / frames;
    }
    std::sort(std::begin(ms), std::end(ms));
    return ms[2];
}
}  // namespace

int main() {
    HMODULE module = LoadLibraryA("zepho.auf");
    auto get_filter_table =
        module ? reinterpret_cast<FilterTable* (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "GetFilterTable")))
               : nullptr;
    if (!get_filter_table) {
        std::fprintf(stderr, "cannot load zepho.auf from the current folder\n");
        return 1;
    }
    FilterTable* dll_table = get_filter_table();

    BenchResults results;
    results.paths = CoreBenchPaths();
    results.paths.insert(results.paths.end() - 1, BenchPath{"zepho.auf", dll_table->process_frame, ~0u});
    for (FrameSize size : kFrameSizes) {
        // The DLL has a gain table of its own: give it the core's gains. Its
        // entry reads the strength through the table it is handed, the
        // frame's, as it would read the host's track values.
        BenchFrame frame(size);
        std::memcpy(dll_table->extra_data, ColumnGainTable.data(), sizeof(ColumnGainTable));
        std::vector<double>& row = results.ms.emplace_back();
        for (const BenchPath& path : results.paths) row.push_back(MsPerFrame(path, frame));
    }
    PrintBenchTable(results);
    FreeLibrary(module);
    return 0;
}
