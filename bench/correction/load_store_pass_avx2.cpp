#include <immintrin.h>

#include "bench/correction/load_store_pass.h"

void LoadStoreLine_avx2(std::int16_t* line, std::int32_t count) {
    std::int32_t j = 0;
    for (; j + 16 <= count; j += 16) {
        auto* p = reinterpret_cast<__m256i*>(line + j);
        __m256i v = _mm256_loadu_si256(p);
        asm volatile("" : "+x"(v));  // keeps the compiler from dropping a store of what it just loaded
        _mm256_storeu_si256(p, v);
    }
    LoadStoreLine_sse2(line + j, count - j);
}
