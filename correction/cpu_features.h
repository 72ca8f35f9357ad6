// Which SIMD extensions the fast paths may use, read once from CPUID.
#pragma once

enum CpuFeature : unsigned {
    kCpuSse2 = 1u << 0,
    kCpuSse41 = 1u << 1,
    kCpuAvx2 = 1u << 2,  // only when the OS also saves the YMM registers
};

// The detected features, less those cleared by SetCpuFeatureMask.
unsigned CpuFeatures();

// Limits the features the dispatchers may pick, so tests and benchmarks can
// run every path on any machine. ~0u allows everything detected.
void SetCpuFeatureMask(unsigned mask);
