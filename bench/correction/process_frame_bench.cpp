// ProcessFrame's paths and the load/store pass, timed with Google Benchmark
// at the three frame sizes, each the median of 5 repetitions (the machine
// may be shared); a summary table follows the benchmark's output.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench/correction/frame_bench.h"

namespace {
BenchResults results;

std::string BenchName(std::size_t size, std::size_t path) {
    const FrameSize s = kFrameSizes[size];
    return "ProcessFrame/" + std::string(results.paths[path].name) + "/" + std::to_string(s.width) + "x" +
           std::to_string(s.height);
}

// Forwards to the console and keeps the median real time per frame.
class TableReporter : public benchmark::ConsoleReporter {
public:
    TableReporter() : ConsoleReporter(OO_Tabular) {}  // no colour codes
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" || run.error_occurred) continue;
            for (std::size_t s = 0; s < results.ms.size(); ++s)
                for (std::size_t p = 0; p < results.paths.size(); ++p)
                    if (run.run_name.function_name == BenchName(s, p)) results.ms[s][p] = run.GetAdjustedRealTime();
        }
    }
};
}  // namespace

int main(int argc, char** argv) {
    results.paths = CoreBenchPaths();
    results.ms.assign(std::size(kFrameSizes), std::vector<double>(results.paths.size(), 0.0));
    for (std::size_t s = 0; s < std::size(kFrameSizes); ++s) {
        auto frame = std::make_shared<BenchFrame>(kFrameSizes[s]);
        for (std::size_t p = 0; p < results.paths.size(); ++p) {
            const BenchPath path = results.paths[p];
            benchmark::RegisterBenchmark(BenchName(s, p).c_str(),
                                         [frame, path](benchmark::State& state) {
                                             for (auto _ : state) RunPath(path, *frame);
                                             state.SetBytesProcessed(std::int64_t(state.iterations() * frame->Bytes()));
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.1)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    PrintBenchTable(results);
    benchmark::Shutdown();
    return 0;
}
