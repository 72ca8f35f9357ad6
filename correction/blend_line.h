// The inner loop of the frame correction: one line of 16-bit components, each
// with its own multiplier, blended in place.
//
// For every component v with multiplier m, all in signed 16-bit lanes:
//   h = (v * m) >> 16         high product, rounding toward minus infinity
//   x = h << 2                the corrected value, wrapping
//   b = (v * k1) >> 16        weight of the uncorrected value
//   a = (x * k2) >> 16        weight of the corrected value
//   v' = (b + a) << 2         wrapping
// Every path below gives the same bits as the reference BlendLine_c.
#pragma once

#include <cstdint>

using BlendLineFn = void (*)(std::int16_t* line, const std::int16_t* multipliers, std::int32_t count,
                             std::int16_t k1, std::int16_t k2);

void BlendLine_c(std::int16_t* line, const std::int16_t* multipliers, std::int32_t count, std::int16_t k1,
                 std::int16_t k2);
void BlendLine_sse2(std::int16_t* line, const std::int16_t* multipliers, std::int32_t count, std::int16_t k1,
                    std::int16_t k2);
void BlendLine_avx2(std::int16_t* line, const std::int16_t* multipliers, std::int32_t count, std::int16_t k1,
                    std::int16_t k2);

// The two weights for a strength track value; only its low 16 bits count.
// k1 = (256 - s) * 64 and k2 = s * 64, both wrapped to 16 bits: for s in
// 0..256 they lie in 0..16384 and add up to 16384.
struct BlendWeights {
    std::int16_t k1;  // weight of the uncorrected value
    std::int16_t k2;  // weight of the corrected value
};
BlendWeights WeightsForStrength(std::int32_t track_value);

// The fastest path the given CPU features allow (see cpu_features.h).
BlendLineFn SelectBlendLine(unsigned cpu_features);
