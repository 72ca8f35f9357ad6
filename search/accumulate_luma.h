// The inner loop of the gain estimation: add every pixel's luminance ÷ N to
// its column's sum, for one line of YcPixels. The colour components are
// never used. Sums wrap at 32 bits rather than overflow.
//
// AccumulateLuma_div is the reference, one signed division per pixel; every
// other path gives the same sums for every input (see luma_divisor.h).
#pragma once

#include <cstdint>

#include "host/host_records.h"
#include "search/luma_divisor.h"

using AccumulateLumaFn = void (*)(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor);

void AccumulateLuma_div(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor);
void AccumulateLuma_c(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor);
void AccumulateLuma_sse2(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor);
void AccumulateLuma_sse41(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor);
void AccumulateLuma_avx2(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor);

// The fastest path the given CPU features allow (see correction/cpu_features.h).
AccumulateLumaFn SelectAccumulateLuma(unsigned cpu_features);
