// Luminance ÷ N, truncating toward zero, without a division per pixel.
//
// A luminance v is a signed 16-bit value, so |v| <= 32768. For N in
// 2..32768 let l = ceil(log2 N), k = 15 + l and m = ceil(2^k / N) < 2^16.
// With e = m * N - 2^k (0 <= e < N <= 2^l) and u = |v| = q * N + r:
//   u * m / 2^k = q + (r + u * e / 2^k) / N,   and u * e < 2^15 * 2^l = 2^k,
// so the fraction stays below (r + 1) / N <= 1 and floor(u * m / 2^k) = q.
// The quotient of |v| then takes the sign of v. Every N above 32768 gives 0
// for every v, which m = 0 yields; N = 1 is the identity and is not divided.
#pragma once

#include <cstdint>

struct LumaDivisor {
    std::int32_t n;             // the frame count itself, for the reference
    std::uint16_t multiplier;   // m, applied as the high half of |v| * m
    std::uint16_t shift;        // k - 16, applied after the high half
};

constexpr LumaDivisor LumaDivisorFor(std::int32_t n) {
    if (n <= 1) return {n, 0, 0};
    if (n > 32768) return {n, 0, 0};
    std::int32_t l = 0;
    while ((std::int32_t{1} << l) < n) ++l;
    const std::int64_t two_k = std::int64_t{1} << (15 + l);
    const auto m = static_cast<std::uint16_t>((two_k + n - 1) / n);
    return {n, m, static_cast<std::uint16_t>(l - 1)};
}

// v ÷ n for n >= 2 (the SIMD paths do the same, lane by lane).
constexpr std::int16_t DivideLuma(std::int16_t v, LumaDivisor d) {
    const std::uint32_t u = v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    const std::uint32_t q = ((u * d.multiplier) >> 16) >> d.shift;
    return static_cast<std::int16_t>(v < 0 ? -static_cast<std::int32_t>(q) : static_cast<std::int32_t>(q));
}
