// What both benchmark programs share: the frame sizes, a frame to correct,
// the entries timed on it, and the table of results they print.
#pragma once

#include <cstdint>
#include <vector>

#include "host/host_records.h"

struct FrameSize {
    std::int32_t width, height;
};
inline constexpr FrameSize kFrameSizes[] = {{720, 480}, {1920, 1080}, {3840, 2160}};

// A frame of varied pixels at a pitch equal to its width, with a filter
// table whose strength is 200 (both weights at work). The column gains are
// set to varied values from 4096 to 32737, as a search leaves them.
struct BenchFrame {
    explicit BenchFrame(FrameSize size);
    std::vector<YcPixel> pixels;
    std::int32_t track_values[1] = {200};
    FilterTable table{};
    ProcessingRecord record{};
    double Bytes() const { return 6.0 * record.width * record.height; }
};

// One timed entry: ProcessFrame (of the core, under a CPU-feature mask, or of
// the DLL), or the load/store pass.
struct BenchPath {
    const char* name;
    ProcessFrameEntry entry;
    unsigned cpu_mask;  // applied with SetCpuFeatureMask before timing
};

// The core's paths this CPU can run: the scalar reference, each SIMD path,
// the dispatched path, and last the load/store pass.
std::vector<BenchPath> CoreBenchPaths();

// Runs path on frame once.
void RunPath(const BenchPath& path, BenchFrame& frame);

// Milliseconds per frame, by size (rows of kFrameSizes) and path (columns).
struct BenchResults {
    std::vector<BenchPath> paths;
    std::vector<std::vector<double>> ms;
};

// Prints ms per frame, GB/s of frame bytes, speed-up over the scalar path
// (the first) and share of the load/store pass's speed (the path named
// "load/store") for every size and path.
void PrintBenchTable(const BenchResults& results);
