#include "correction/cpu_features.h"

#include <cpuid.h>

namespace {
// Bit 31 marks the features as read; until then the word is 0, so loading the
// module runs no detection.
constexpr unsigned kDetected = 1u << 31;
constinit unsigned detectedFeatures = 0;
constinit unsigned featureMask = ~0u;

// XCR0 bits 1 and 2: the OS saves SSE and AVX state on a context switch.
bool OsSavesYmm() {
    unsigned eax, edx;
    __asm__ volatile("xgetbv" : "=a"(eax), "=d"(edx) : "c"(0));
    return (eax & 6u) == 6u;
}

unsigned DetectFeatures() {
    unsigned eax, ebx, ecx, edx;
    unsigned features = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return 0;
    if (edx & bit_SSE2) features |= kCpuSse2;
    if (ecx & bit_SSE4_1) features |= kCpuSse41;
    bool avx = (ecx & bit_AVX) && (ecx & bit_OSXSAVE) && OsSavesYmm();
    if (avx && __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) && (ebx & bit_AVX2)) features |= kCpuAvx2;
    return features;
}
}  // namespace

unsigned CpuFeatures() {
    if (!(detectedFeatures & kDetected)) detectedFeatures = DetectFeatures() | kDetected;
    return detectedFeatures & featureMask & ~kDetected;
}

void SetCpuFeatureMask(unsigned mask) { featureMask = mask; }
