// Eight pixels per step with SSE2. The luminance of pixels 0..7 lies in
// three vectors a, b, c (24 components) at 16-bit lanes 0, 3, 6 | 1, 4, 7 |
// 2, 5. In 32-bit words, y0, y2, y4, y6 are the low halves of a0, a3, b2, c1
// and y1, y3, y5, y7 the high halves of a1, b0, b3, c2: gather both sets of
// words with shufps and merge the halves, and the eight lumas come out in
// order. The last width mod 8 pixels go through the scalar path, so nothing
// past the line is read.
#include <emmintrin.h>

#include "search/accumulate_luma.h"

namespace {
__m128i LoadLumas(const YcPixel* pixels) {
    const auto* p = reinterpret_cast<const __m128i*>(pixels);
    const __m128 a = _mm_castsi128_ps(_mm_loadu_si128(p));
    const __m128 b = _mm_castsi128_ps(_mm_loadu_si128(p + 1));
    const __m128 c = _mm_castsi128_ps(_mm_loadu_si128(p + 2));
    // _MM_SHUFFLE(z, y, x, w) picks [first[w], first[x], second[y], second[z]].
    const __m128 bc = _mm_shuffle_ps(b, c, _MM_SHUFFLE(1, 1, 2, 2));          // b2 b2 c1 c1
    const __m128 even = _mm_shuffle_ps(a, bc, _MM_SHUFFLE(2, 0, 3, 0));      // a0 a3 b2 c1
    const __m128 ab = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 0, 1, 1));          // a1 a1 b0 b3
    const __m128 bc2 = _mm_shuffle_ps(b, c, _MM_SHUFFLE(2, 2, 3, 3));         // b3 b3 c2 c2
    const __m128 odd = _mm_shuffle_ps(ab, bc2, _MM_SHUFFLE(2, 0, 2, 0));     // a1 b0 b3 c2
    const __m128i low = _mm_set1_epi32(0x0000ffff);
    return _mm_or_si128(_mm_and_si128(_mm_castps_si128(even), low), _mm_andnot_si128(low, _mm_castps_si128(odd)));
}

// v ÷ N lane by lane, as DivideLuma: the quotient of |v| (|-32768| is 32768
// as an unsigned lane), then v's sign. sign is 0 or -1, so (x ^ sign) - sign
// is x or -x.
__m128i DivideLanes(__m128i v, __m128i multiplier, __m128i shift) {
    const __m128i sign = _mm_srai_epi16(v, 15);
    const __m128i u = _mm_sub_epi16(_mm_xor_si128(v, sign), sign);
    const __m128i q = _mm_srl_epi16(_mm_mulhi_epu16(u, multiplier), shift);
    return _mm_sub_epi16(_mm_xor_si128(q, sign), sign);
}

void AddLanes(std::int32_t* sums, __m128i q) {
    const __m128i sign = _mm_srai_epi16(q, 15);
    auto* s = reinterpret_cast<__m128i*>(sums);
    _mm_storeu_si128(s, _mm_add_epi32(_mm_loadu_si128(s), _mm_unpacklo_epi16(q, sign)));
    _mm_storeu_si128(s + 1, _mm_add_epi32(_mm_loadu_si128(s + 1), _mm_unpackhi_epi16(q, sign)));
}
}  // namespace

void AccumulateLuma_sse2(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor) {
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
