#include "correction/blend_line.h"
#include "correction/cpu_features.h"

BlendLineFn SelectBlendLine(unsigned cpu_features) {
    if (cpu_features & kCpuAvx2) return BlendLine_avx2;
    if (cpu_features & kCpuSse2) return BlendLine_sse2;
    return BlendLine_c;
}

BlendWeights WeightsForStrength(std::int32_t track_value) {
    const auto s = static_cast<std::int16_t>(track_value);
    return {static_cast<std::int16_t>((256 - s) * 64), static_cast<std::int16_t>(s * 64)};
}
