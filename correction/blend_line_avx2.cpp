// Sixteen components per vector with AVX2, two vectors per step so that the
// two dependency chains overlap; the remainder (fewer than 16) goes to the
// SSE2 path. The sum b + a stays within 16 bits (see blend_line_c.cpp), so
// the plain wrapping addition, which can issue on one more port than the
// saturating one, gives the same bits.
#include <immintrin.h>

#include "correction/blend_line.h"

namespace {
inline void Blend16(std::int16_t* line, const std::int16_t* multipliers, __m256i w1, __m256i w2) {
    auto* p = reinterpret_cast<__m256i*>(line);
    const __m256i v = _mm256_loadu_si256(p);
    const __m256i m = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(multipliers));
    const __m256i x = _mm256_slli_epi16(_mm256_mulhi_epi16(v, m), 2);
    const __m256i r = _mm256_add_epi16(_mm256_mulhi_epi16(v, w1), _mm256_mulhi_epi16(x, w2));
    _mm256_storeu_si256(p, _mm256_slli_epi16(r, 2));
}
}  // namespace

void BlendLine_avx2(std::int16_t* line, const std::int16_t* multipliers, std::int32_t count, std::int16_t k1,
                    std::int16_t k2) {
    const __m256i w1 = _mm256_set1_epi16(k1);
    const __m256i w2 = _mm256_set1_epi16(k2);
    std::int32_t j = 0;
    for (; j + 32 <= count; j += 32) {
        Blend16(line + j, multipliers + j, w1, w2);
        Blend16(line + j + 16, multipliers + j + 16, w1, w2);
    }
    if (j + 16 <= count) {
        Blend16(line + j, multipliers + j, w1, w2);
        j += 16;
    }
    BlendLine_sse2(line + j, multipliers + j, count - j, k1, k2);
}
