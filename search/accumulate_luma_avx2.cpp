// Sixteen pixels per step with AVX2. The byte shuffle works within each
// 128-bit half, so each half of the three vectors is loaded with the same
// part of eight pixels: the low halves from pixels 0..7, the high halves
// from pixels 8..15; the shuffles of the SSE4.1 path then give y0..y7 in the
// low half and y8..y15 in the high half. The last width mod 16 pixels go
// through the scalar path, so nothing past the line is read.
#include <immintrin.h>

#include "search/accumulate_luma.h"

namespace {
__m256i LoadHalves(const __m128i* low, const __m128i* high) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(low)), _mm_loadu_si128(high), 1);
}

__m256i LoadLumas(const YcPixel* pixels) {
    const auto* p = reinterpret_cast<const __m128i*>(pixels);  // 8 pixels are 3 vectors
    const __m256i from_a = _mm256_broadcastsi128_si256(
        _mm_setr_epi8(0, 1, 6, 7, 12, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1));
    const __m256i from_b = _mm256_broadcastsi128_si256(
        _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 3, 8, 9, 14, 15, -1, -1, -1, -1));
    const __m256i from_c = _mm256_broadcastsi128_si256(
        _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 4, 5, 10, 11));
    const __m256i a = _mm256_shuffle_epi8(LoadHalves(p, p + 3), from_a);
    const __m256i b = _mm256_shuffle_epi8(LoadHalves(p + 1, p + 4), from_b);
    const __m256i c = _mm256_shuffle_epi8(LoadHalves(p + 2, p + 5), from_c);
    return _mm256_or_si256(_mm256_or_si256(a, b), c);
}

// v ÷ N lane by lane, as DivideLuma: the quotient of |v|, then v's sign.
__m256i DivideLanes(__m256i v, __m256i multiplier, __m128i shift) {
    const __m256i q = _mm256_srl_epi16(_mm256_mulhi_epu16(_mm256_abs_epi16(v), multiplier), shift);
    return _mm256_sign_epi16(q, v);
}

void AddLanes(std::int32_t* sums, __m256i q) {
    auto* s = reinterpret_cast<__m256i*>(sums);
    const __m256i low = _mm256_cvtepi16_epi32(_mm256_castsi256_si128(q));
    const __m256i high = _mm256_cvtepi16_epi32(_mm256_extracti128_si256(q, 1));
    _mm256_storeu_si256(s, _mm256_add_epi32(_mm256_loadu_si256(s), low));
    _mm256_storeu_si256(s + 1, _mm256_add_epi32(_mm256_loadu_si256(s + 1), high));
}
}  // namespace

void AccumulateLuma_avx2(std::int32_t* sums, const YcPixel* line, std::int32_t width, LumaDivisor divisor) {
    std::int32_t x = 0;
    if (divisor.n == 1) {
        for (; x + 16 <= width; x += 16) AddLanes(sums + x, LoadLumas(line + x));
    } else {
        const __m256i multiplier = _mm256_set1_epi16(static_cast<short>(divisor.multiplier));
        const __m128i shift = _mm_cvtsi32_si128(divisor.shift);
        for (; x + 16 <= width; x += 16) AddLanes(sums + x, DivideLanes(LoadLumas(line + x), multiplier, shift));
    }
    AccumulateLuma_c(sums + x, line + x, width - x, divisor);
}
