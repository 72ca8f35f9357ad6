// Eight pixels per step with SSSE3's byte shuffle and SSE4.1's sign
// extension. Of the three vectors a, b, c that hold pixels 0..7, each
// shuffle moves its lumas (a: lanes 0, 3, 6; b: 1, 4, 7; c: 2, 5) to their
// place in the result and zeroes the rest. The last width mod 8 pixels go
// through the scalar path, so nothing past the line is read.
#include <smmintrin.h>

#include "search/accumulate_luma.h"

namespace {
__m128i LoadLumas(const YcPixel* pixels) {
    const auto* p = reinterpret_cast<const __m128i*>(pixels);
    const __m128i from_a = _mm_setr_epi8(0, 1, 6, 7, 12, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i from_b = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 3, 8, 9, 14, 15, -1, -1, -1, -1);
    const __m128i from_c = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 4, 5, 10, 11);
    const __m128i a = _mm_shuffle_epi8(_mm_loadu_si128(p), from_a);
    const __m128i b = _mm_shuffle_epi8(_mm_loadu_si128(p + 1), from_b);
    const __m128i c = _mm_shuffle_epi8(_mm_loadu_si128(p + 2), from_c);
    return _mm_or_si128(_mm_or_si128(a, b), c);
}

// v ÷ N lane by lane, as DivideLuma: the quotient of |v|, then v's sign.
__m128i DivideLanes(__m128i v, __m128i multiplier, __m128i shift) {
    const __m128i q = _mm_srl_epi16(_mm_mulhi_epu16(_mm_abs_epi16(v), multiplier), shift);
    return _mm_sign_epi16(q, v);
}

void AddLanes(std::int32_t* sums, __m128i q) {
    auto* s = reinterpret_cast<__m128i*>(sums);
    _mm_storeu_si128(s, _mm_add_epi32(_mm_loadu_si128(s), _mm_cvtepi16_epi32(q)));
    _mm_storeu_si128(s + 1, _mm_add_epi32(_mm_loadu_si128(s + 1), _mm_cvtepi16_epi32(_mm_srli_si128(q, 8))));
}
}  // namespace

void AccumulateLuma_sse41(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor) {
    std::int32_t x = 0;
    if (divisor.n == 1) {
        for (; x + 8 <= width; x += 8) AddLanes(sums + x, LoadLumas(line + x));
    } else {
        const __m128i multiplier = _mm_set1_epi16(static_cast<short>(divisor.multiplier));
        const __m128i shift = _mm_cvtsi32_si128(divisor.shift);
        for (; x + 8 <= width; x += 8) AddLanes(sums + x, DivideLanes(LoadLumas(line + x), multiplier, shift));
    }
    AccumulateLuma_c(sums + x, line + x, width - x, divisor);
}
