// The two scalar paths. Built without vectorisation so they stay plain loops.
#include "search/accumulate_luma.h"

namespace {
// Addition modulo 2^32: a column sum cannot overflow for line ranges of up
// to 65536 lines, and beyond that it wraps, as the SIMD adds do.
std::int32_t AddWrapped(std::int32_t sum, std::int32_t q) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(sum) + static_cast<std::uint32_t>(q));
}
}  // namespace

void AccumulateLuma_div(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor) {
    for (std::int32_t x = 0; x < width; ++x) sums[x] = AddWrapped(sums[x], line[x].y / divisor.n);
}

void AccumulateLuma_c(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor) {
    if (divisor.n == 1) {
        for (std::int32_t x = 0; x < width; ++x) sums[x] = AddWrapped(sums[x], line[x].y);
        return;
    }
    for (std::int32_t x = 0; x < width; ++x) sums[x] = AddWrapped(sums[x], DivideLuma(line[x].y, divisor));
}
