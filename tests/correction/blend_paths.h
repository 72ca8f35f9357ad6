// The blend paths this machine can run, for tests that check each of them.
#pragma once

#include <vector>

#include "correction/blend_line.h"
#include "correction/cpu_features.h"

struct BlendPath {
    const char* name;
    BlendLineFn blend;
};

inline std::vector<BlendPath> RunnableBlendPaths() {
    std::vector<BlendPath> paths = {{"c", BlendLine_c}};
    const unsigned cpu = CpuFeatures();
    if (cpu & kCpuSse2) paths.push_back({"sse2", BlendLine_sse2});
    if (cpu & kCpuAvx2) paths.push_back({"avx2", BlendLine_avx2});
    return paths;
}
