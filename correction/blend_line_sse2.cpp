// Eight components per step with SSE2's packed 16-bit operations. The host's
// buffer carries no alignment promise, so every access is unaligned; the
// last count mod 8 components go through the reference so that nothing past
// the line is read or written. The sum b + a stays within 16 bits (see
// blend_line_c.cpp), so the plain wrapping addition gives the same bits as a
// saturating one and issues on more ports.
#include <emmintrin.h>

#include "correction/blend_line.h"

void BlendLine_sse2(std::int16_t* line, const std::int16_t* multipliers, std::int32_t count, std::int16_t k1,
                    std::int16_t k2) {
    const __m128i w1 = _mm_set1_epi16(k1);
    const __m128i w2 = _mm_set1_epi16(k2);
    std::int32_t j = 0;
    for (; j + 8 <= count; j += 8) {
        auto* p = reinterpret_cast<__m128i*>(line + j);
        __m128i v = _mm_loadu_si128(p);
        __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(multipliers + j));
        __m128i x = _mm_slli_epi16(_mm_mulhi_epi16(v, m), 2);
        __m128i r = _mm_add_epi16(_mm_mulhi_epi16(v, w1), _mm_mulhi_epi16(x, w2));
        _mm_storeu_si128(p, _mm_slli_epi16(r, 2));
    }
    BlendLine_c(line + j, multipliers + j, count - j, k1, k2);
}
