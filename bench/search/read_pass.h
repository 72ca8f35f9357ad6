// The read limit of the estimation: a pass that only loads the luminance
// lines' bytes (all three components, as the estimation's loads do).
#pragma once

#include <cstdint>

#include "host/host_records.h"

// Folds lines first..last of a frame into one word, so the loads stay.
std::uint32_t ReadLines_avx2(const YcPixel* frame, std::int32_t width, std::int32_t first, std::int32_t last,
                             std::int32_t pitch);
