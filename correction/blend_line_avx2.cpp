// Sixteen components per step with AVX2; the remainder goes to the SSE2 path.
#include <immintrin.h>

#include "correction/blend_line.h"

void BlendLine_avx2(std::int16_t* line, const std::int16_t* multipliers, std::int32_t count, std::int16_t k1,
                    std::int16_t k2) {
    const __m256i w1 = _mm256_set1_epi16(k1);
    const __m256i w2 = _mm256_set1_epi16(k2);
    std::int32_t j = 0;
    for (; j + 16 <= count; j += 16) {
        auto* p = reinterpret_cast<__m256i*>(line + j);
        __m256i v = _mm256_loadu_si256(p);
        __m256i m = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(multipliers + j));
        __m256i x = _mm256_slli_epi16(_mm256_mulhi_epi16(v, m), 2);
        __m256i r = _mm256_adds_epi16(_mm256_mulhi_epi16(v, w1), _mm256_mulhi_epi16(x, w2));
        _mm256_storeu_si256(p, _mm256_slli_epi16(r, 2));
    }
    BlendLine_sse2(line + j, multipliers + j, count - j, k1, k2);
}
