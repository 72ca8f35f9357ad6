#include <emmintrin.h>

#include "bench/correction/load_store_pass.h"

void LoadStoreLine_sse2(std::int16_t* line, std::int32_t count) {
    std::int32_t j = 0;
    for (; j + 8 <= count; j += 8) {
        auto* p = reinterpret_cast<__m128i*>(line + j);
        __m128i v = _mm_loadu_si128(p);
        asm volatile("" : "+x"(v));  // keeps the compiler from dropping a store of what it just loaded
        _mm_storeu_si128(p, v);
    }
    for (volatile std::int16_t* p = line + j; p < line + count; ++p) *p = *p;
}
