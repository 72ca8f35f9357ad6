// The reference path: one component at a time, exactly the arithmetic of
// blend_line.h. Built without vectorisation so it stays a plain scalar loop.
#include "correction/blend_line.h"

namespace {
// Upper 16 bits of the 32-bit product; >> on a negative int is arithmetic, so
// this rounds toward minus infinity (-12.5 gives -13).
std::int16_t HighProduct(std::int16_t p, std::int16_t q) {
    return static_cast<std::int16_t>((std::int32_t{p} * q) >> 16);
}

// Shift left by two places, keeping the low 16 bits.
std::int16_t Times4Wrapped(std::int32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value << 2));
}
}  // namespace

void BlendLine_c(std::int16_t* line, const std::int16_t* multipliers, std::int32_t count, std::int16_t k1,
                 std::int16_t k2) {
    for (std::int32_t j = 0; j < count; ++j) {
        std::int16_t v = line[j];
        std::int16_t h = HighProduct(v, multipliers[j]);
        std::int16_t x = Times4Wrapped(h);
        std::int16_t b = HighProduct(v, k1);
        std::int16_t a = HighProduct(x, k2);
        // |b| <= |k1| / 2 and |a| <= |k2| / 2, and k1 + k2 = 16384 (mod 65536)
        // keeps |k1| + |k2| <= 49152: the sum never leaves 16 bits.
        std::int32_t r = b + a;
        line[j] = Times4Wrapped(r);
    }
}
