// The luminance paths this machine can run, with the feature mask that makes
// the dispatcher pick each, for tests that check every one of them.
#pragma once

#include <vector>

#include "correction/cpu_features.h"
#include "search/accumulate_luma.h"

struct AccumulatePath {
    const char* name;
    AccumulateLumaFn accumulate;
    unsigned mask;  // SetCpuFeatureMask(mask) makes EstimateColumnGains use it
};

inline std::vector<AccumulatePath> RunnableAccumulatePaths() {
    std::vector<AccumulatePath> paths = {{"c", AccumulateLuma_c, 0u}};
    const unsigned cpu = CpuFeatures();
    if (cpu & kCpuSse2) paths.push_back({"sse2", AccumulateLuma_sse2, kCpuSse2});
    if (cpu & kCpuSse41) paths.push_back({"sse41", AccumulateLuma_sse41, kCpuSse2 | kCpuSse41});
    if (cpu & kCpuAvx2) paths.push_back({"avx2", AccumulateLuma_avx2, ~0u});
    return paths;
}
