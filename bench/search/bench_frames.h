// Frames in memory for the estimation's benchmarks, served through a
// service table of slots 0 and 6 as the host would.
#pragma once

#include <cstdint>
#include <vector>

#include "host/host_records.h"

inline constexpr std::int32_t kBenchFrames = 30;

struct BenchFrames {
    std::int32_t width = 0, height = 0;
    std::vector<std::vector<YcPixel>> frames;  // kBenchFrames distinct frames
};

// The frames of one size, made on first use: column stripes plus noise.
BenchFrames& FramesOfSize(std::int32_t width, std::int32_t height);

// Slot 6 answers 0; slot 0 serves frame (number + offset) of `frames`.
const HostServiceTable* ServeFrames(BenchFrames& frames);
