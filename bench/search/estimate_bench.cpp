// The estimation over lines 16 to height - 17 of frames held in memory, at
// 720x480 and 1920x1080, over 1 and 30 frames: the reference, the production
// path, and a pass that only reads the same lines. Each reports ms/frame.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "bench/search/read_pass.h"
#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"
#include "search/estimate_column_gains.h"

namespace {
constexpr std::int32_t kFrames = 30;

struct FrameSet {
    std::int32_t width = 0, height = 0;
    std::vector<std::vector<YcPixel>> frames;  // kFrames distinct frames
};

FrameSet* served = nullptr;

YcPixel* ZEPHO_CDECL FrameImage(EditHandle, std::int32_t number, std::int32_t offset) {
    return served->frames[(number + offset) % kFrames].data();
}
std::int32_t ZEPHO_CDECL CurrentFrame(EditHandle) { return 0; }

const HostServiceTable* Services() {
    static HostServiceTable table = [] {
        HostServiceTable t{};
        t.frame_image = FrameImage;
        t.current_frame = CurrentFrame;
        return t;
    }();
    return &table;
}

// Stripes of brightness per column plus noise, so the gains vary.
FrameSet& Frames(std::int32_t width, std::int32_t height) {
    static FrameSet sets[2];
    FrameSet& set = sets[width > 1000];
    if (set.frames.empty()) {
        set.width = width;
        set.height = height;
        std::mt19937 random(1);
        std::uniform_int_distribution<int> noise(-200, 200);
        for (std::int32_t f = 0; f < kFrames; ++f) {
            std::vector<YcPixel> frame(std::size_t(width) * height);
            for (std::size_t i = 0; i < frame.size(); ++i) {
                const int column = static_cast<int>(i % width);
                frame[i] = {static_cast<std::int16_t>(2000 + (column % 7) * 150 + noise(random)), 0, 0};
            }
            set.frames.push_back(std::move(frame));
        }
    }
    return set;
}

enum Kind { kReference, kProduction, kReadPass };

void BM_Estimate(benchmark::State& state, Kind kind) {
    FrameSet& set = Frames(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    const auto n = static_cast<std::int32_t>(state.range(2));
    served = &set;
    const std::int32_t first = 16, last = set.height - 17;
    if (kind == kReadPass && !(CpuFeatures() & kCpuAvx2)) state.SkipWithError("no AVX2");
    for (auto _ : state) {
        std::int32_t result = 0;
        if (kind == kReference)
            result = EstimateColumnGainsReference(set.width, first, last, n, nullptr, Services(), set.width);
        else if (kind == kProduction)
            result = EstimateColumnGains(set.width, first, last, n, nullptr, Services(), set.width);
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
    for (std::int64_t n : {1, kFrames}) {
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
