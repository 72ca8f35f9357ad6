// The estimation's benchmark as a plain 32-bit program for Wine: the same
// cases as the native one, each timed over repeated runs of about 0.3 s,
// printed as ms per frame.
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "bench/search/bench_frames.h"
#include "bench/search/read_pass.h"
#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"
#include "search/estimate_column_gains.h"

namespace {
enum Kind { kReference, kProduction, kReadPass };
const char* const kNames[] = {"reference", "production", "read_pass"};

double MsPerFrame(Kind kind, BenchFrames& set, std::int32_t n) {
    const HostServiceTable* services = ServeFrames(set);
    const std::int32_t first = 16, last = set.height - 17;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::int64_t runs = 0;
    volatile std::uint32_t sink = 0;
    double elapsed = 0;
    do {
        if (kind == kReference)
            sink = EstimateColumnGainsReference(set.width, first, last, n, nullptr, services, set.width);
        else if (kind == kProduction)
            sink = EstimateColumnGains(set.width, first, last, n, nullptr, services, set.width);
        else
            for (std::int32_t i = 0; i < n; ++i)
                sink = sink | ReadLines_avx2(set.frames[i].data(), set.width, first, last, set.width);
        ++runs;
        elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    } while (elapsed < 300);
    return elapsed / (runs * n);
}
}  // namespace

int main() {
    const bool avx2 = CpuFeatures() & kCpuAvx2;
    const std::int32_t sizes[][2] = {{720, 480}, {1920, 1080}};
    for (std::int32_t n : {1, kBenchFrames})
        for (const auto& size : sizes)
            for (Kind kind : {kReference, kProduction, kReadPass}) {
                if (kind == kReadPass && !avx2) continue;
                BenchFrames& set = FramesOfSize(size[0], size[1]);
                std::printf("%-10s %4dx%-4d N=%-2d %8.3f ms/frame\n", kNames[kind], size[0], size[1], n,
                            MsPerFrame(kind, set, n));
            }
    ColumnGainTable = NeutralGains();
    return 0;
}
