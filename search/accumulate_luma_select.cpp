#include "correction/cpu_features.h"
#include "search/accumulate_luma.h"

AccumulateLumaFn SelectAccumulateLuma(unsigned cpu_features) {
    if (cpu_features & kCpuAvx2) return AccumulateLuma_avx2;
    if (cpu_features & kCpuSse41) return AccumulateLuma_sse41;
    if (cpu_features & kCpuSse2) return AccumulateLuma_sse2;
    return AccumulateLuma_c;
}
