#include "bench/correction/frame_bench.h"

#include <cstdio>
#include <cstring>

#include "bench/correction/load_store_pass.h"
#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"
#include "correction/process_frame.h"

BenchFrame::BenchFrame(FrameSize size) : pixels(std::size_t(size.width) * size.height) {
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (YcPixel& p : pixels)
        p = {std::int16_t(next() >> 20), std::int16_t(std::int32_t(next() >> 21) - 1024),
             std::int16_t(std::int32_t(next() >> 21) - 1024)};
    for (std::int16_t& gain : ColumnGainTable) gain = std::int16_t(4096 + next() % (32737 - 4096 + 1));
    table.track_values = track_values;
    table.extra_data = ColumnGainTable.data();
    record.frame = pixels.data();
    record.width = size.width;
    record.height = size.height;
    record.pitch = size.width;
}

std::vector<BenchPath> CoreBenchPaths() {
    SetCpuFeatureMask(~0u);
    const unsigned cpu = CpuFeatures();
    std::vector<BenchPath> paths = {{"scalar", ProcessFrame, 0u}};
    if (cpu & kCpuSse2) paths.push_back({"sse2", ProcessFrame, kCpuSse2});
    if (cpu & kCpuAvx2) paths.push_back({"avx2", ProcessFrame, kCpuSse2 | kCpuAvx2});
    paths.push_back({"dispatched", ProcessFrame, ~0u});
    paths.push_back({"load/store", LoadStoreFrame, ~0u});
    return paths;
}

void RunPath(const BenchPath& path, BenchFrame& frame) {
    SetCpuFeatureMask(path.cpu_mask);
    path.entry(&frame.table, &frame.record);
    SetCpuFeatureMask(~0u);
}

void PrintBenchTable(const BenchResults& results) {
    std::printf("%-12s %-12s %10s %8s %9s %8s\n", "size", "path", "ms/frame", "GB/s", "x scalar", "of pass");
    for (std::size_t s = 0; s < results.ms.size(); ++s) {
        const FrameSize size = kFrameSizes[s];
        const std::vector<double>& ms = results.ms[s];
        double pass_ms = 0;
        for (std::size_t p = 0; p < results.paths.size(); ++p)
            if (std::strcmp(results.paths[p].name, "load/store") == 0) pass_ms = ms[p];
        char label[32];
        std::snprintf(label, sizeof(label), "%dx%d", size.width, size.height);
        for (std::size_t p = 0; p < results.paths.size(); ++p) {
            // frame bytes per second: each byte is read once and written once
            const double gbps = 6.0 * size.width * size.height / (ms[p] * 1e6);
            std::printf("%-12s %-12s %10.3f %8.2f %9.1f %8.2f\n", label, results.paths[p].name, ms[p], gbps,
                        ms[0] / ms[p], pass_ms / ms[p]);
        }
    }
}
