#include <immintrin.h>

#include <cstddef>

#include "bench/search/read_pass.h"

std::uint32_t ReadLines_avx2(const YcPixel* frame, std::int32_t width, std::int32_t first, std::int32_t last,
                             std::int32_t pitch) {
    __m256i folded = _mm256_setzero_si256();
    const std::ptrdiff_t bytes = std::ptrdiff_t{width} * 6;
    std::uint32_t tail = 0;
    for (std::int32_t y = first; y <= last; ++y) {
        const auto* line = reinterpret_cast<const unsigned char*>(frame + std::ptrdiff_t{y} * pitch);
        std::ptrdiff_t j = 0;
        for (; j + 32 <= bytes; j += 32)
            folded = _mm256_or_si256(folded, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(line + j)));
        for (; j < bytes; ++j) tail |= line[j];
    }
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(folded)) | tail;
}
