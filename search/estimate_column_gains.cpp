#include "search/estimate_column_gains.h"

#include <cstddef>

#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"
#include "search/accumulate_luma.h"

namespace {
// Per-column sums of luminance ÷ N, then, in place, the column averages.
// Scratch: its contents mean nothing between calls.
alignas(64) constinit std::int32_t ColumnAccumulator[kMaxColumns] = {};

constexpr std::int32_t kMinAverage = 16;    // below it a column keeps 1.0
constexpr std::int32_t kMaxGain = 32737;    // a larger quotient becomes 1.0

// Averages over `lines`, then the target and one gain per column. Writes the
// table only once every check has passed. 1 when it wrote the gains.
std::int32_t WriteGains(std::int32_t columns, std::int64_t lines) {
    if (lines <= 0) return 0;  // an empty range: no average, and no ÷ 0
    std::int32_t largest = 0;
    for (std::int32_t x = 0; x < columns; ++x) {
        ColumnAccumulator[x] = static_cast<std::int32_t>(ColumnAccumulator[x] / lines);
        if (ColumnAccumulator[x] > largest) largest = ColumnAccumulator[x];
    }
    if (columns <= 0) return 0;

    // Counted columns lie above largest ÷ 4 >= 0; each is at most 32767, so
    // 4096 of them sum to well within 32 bits.
    const std::int32_t threshold = largest / 4;
    std::int32_t count = 0;
    std::int32_t sum = 0;
    for (std::int32_t x = 0; x < columns; ++x) {
        if (ColumnAccumulator[x] > threshold) {
            ++count;
            sum += ColumnAccumulator[x];
        }
    }
    if (count == 0) return 0;

    // 1 <= target <= 32767, so target × 16384 fits in 32 bits; a counted
    // column's quotient is at least 4096 since target > largest ÷ 4.
    const std::int32_t scaled_target = sum / count * 16384;
    for (std::int32_t x = 0; x < columns; ++x) {
        const std::int32_t average = ColumnAccumulator[x];
        std::int32_t gain = kNeutralGain;
        if (average >= kMinAverage) {
            const std::int32_t q = scaled_target / average;
            if (q <= kMaxGain) gain = q;
        }
        ColumnGainTable[x] = static_cast<std::int16_t>(gain);
    }
    return 1;
}

std::int32_t Estimate(AccumulateLumaFn accumulate, std::int32_t width, std::int32_t first_line,
                      std::int32_t last_line, std::int32_t frames, EditHandle edit,
                      const HostServiceTable* services, std::int32_t pitch) {
    // Only the first 4096 columns are measured and written.
    const std::int32_t columns = width < kMaxColumns ? width : kMaxColumns;
    for (std::int32_t x = 0; x < columns; ++x) ColumnAccumulator[x] = 0;
    if (frames <= 0) return 0;

    const LumaDivisor divisor = LumaDivisorFor(frames);
    const std::ptrdiff_t line_step = pitch;
    for (std::int32_t i = 0; i < frames; ++i) {
        // The current frame number is asked for anew before every frame.
        const std::int32_t number = services->current_frame(edit);
        const YcPixel* image = services->frame_image(edit, number, i);
        if (image == nullptr) return 0;
        if (columns <= 0) continue;
        for (std::int64_t y = first_line; y <= last_line; ++y) accumulate(ColumnAccumulator, image + y * line_step, columns, divisor);
    }
    return WriteGains(columns, std::int64_t{last_line} - first_line + 1);
}
}  // namespace

std::int32_t EstimateColumnGains(std::int32_t width, std::int32_t first_line, std::int32_t last_line,
                                 std::int32_t frames, EditHandle edit, const HostServiceTable* services,
                                 std::int32_t pitch) {
    return Estimate(SelectAccumulateLuma(CpuFeatures()), width, first_line, last_line, frames, edit, services,
                    pitch);
}

std::int32_t EstimateColumnGainsReference(std::int32_t width, std::int32_t first_line, std::int32_t last_line,
                                          std::int32_t frames, EditHandle edit, const HostServiceTable* services,
                                          std::int32_t pitch) {
    return Estimate(AccumulateLuma_div, width, first_line, last_line, frames, edit, services, pitch);
}
