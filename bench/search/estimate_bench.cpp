// The estimation over lines 16 to height - 17 of frames held in memory, at
// 720x480 and 1920x1080, over 1 and 30 frames: the reference, the production
// path, and a pass that only reads the same lines, each as its time per frame.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/search/bench_frames.h"
#include "bench/search/read_pass.h"
#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"
#include "search/estimate_column_gains.h"

namespace {
enum Kind { kReference, kProduction, kReadPass };

void BM_Estimate(benchmark::State& state, Kind kind) {
    BenchFrames& set = FramesOfSize(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    const auto n = static_cast<std::int32_t>(state.range(2));
    const HostServiceTable* services = ServeFrames(set);
    const std::int32_t first = 16, last = set.height - 17;
    if (kind == kReadPass && !(CpuFeatures() & kCpuAvx2)) state.SkipWithError("no AVX2");
    for (auto _ : state) {
        std::int32_t result = 0;
        if (kind == kReference)
            result = EstimateColumnGainsReference(set.width, first, last, n, nullptr, services, set.width);
        else if (kind == kProduction)
            result = EstimateColumnGains(set.width, first, last, n, nullptr, services, set.width);
        else
            for (std::int32_t i = 0; i < n; ++i)
                result |= ReadLines_avx2(set.frames[i].data(), set.width, first, last, set.width);
        benchmark::DoNotOptimize(result);
    }
    // Frames per second, inverted: the time per frame.
    state.counters["per_frame"] = benchmark::Counter(
        n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    ColumnGainTable = NeutralGains();
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (std::int64_t n : {1, kBenchFrames}) {
        b->Args({720, 480, n});
        b->Args({1920, 1080, n});
    }
    b->ArgNames({"w", "h", "N"})->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_Estimate, reference, kReference)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Estimate, production, kProduction)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Estimate, read_pass, kReadPass)->Apply(Sizes);
}  // namespace

BENCHMARK_MAIN();
