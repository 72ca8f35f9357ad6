#include "correction/process_frame.h"

#include <algorithm>
#include <cstddef>

#include "correction/blend_line.h"
#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"

namespace {
// One line's multipliers, laid out like a line of YcPixels: the column's gain
// for the luminance, 1.0 for both colour differences.
alignas(64) constinit std::int16_t MultiplierRow[3 * kMaxColumns] = {};

void BuildMultiplierRow(std::int32_t width) {
    for (std::int32_t i = 0; i < width; ++i) {
        MultiplierRow[3 * i] = ColumnGainTable[i];
        MultiplierRow[3 * i + 1] = kNeutralGain;
        MultiplierRow[3 * i + 2] = kNeutralGain;
    }
}
}  // namespace

std::int32_t ZEPHO_CDECL ProcessFrame(FilterTable* table, ProcessingRecord* record) {
    // Columns from 4096 on have no gain and are left as they are.
    const std::int32_t width = std::min(record->width, kMaxColumns);
    if (width <= 0 || record->height <= 0) return 1;
    BuildMultiplierRow(width);

    // The strength is the host's first track value, of which only the low
    // 16 bits count: read just those (the host's record is little-endian).
    const BlendWeights w = WeightsForStrength(*reinterpret_cast<const std::int16_t*>(table->track_values));

    const BlendLineFn blend = SelectBlendLine(CpuFeatures());
    auto* frame = reinterpret_cast<std::int16_t*>(record->frame);
    const std::ptrdiff_t line_step = std::ptrdiff_t{record->pitch} * 3;
    for (std::int32_t y = 0; y < record->height; ++y) blend(frame + y * line_step, MultiplierRow, 3 * width, w.k1, w.k2);
    return 1;
}
