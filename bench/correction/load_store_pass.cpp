#include "bench/correction/load_store_pass.h"

#include <algorithm>
#include <cstddef>

#include "correction/column_gain_table.h"
#include "correction/cpu_features.h"

LoadStoreLineFn SelectLoadStoreLine(unsigned cpu_features) {
    return (cpu_features & kCpuAvx2) ? LoadStoreLine_avx2 : LoadStoreLine_sse2;
}

std::int32_t ZEPHO_CDECL LoadStoreFrame(FilterTable*, ProcessingRecord* record) {
    const std::int32_t width = std::min(record->width, kMaxColumns);
    if (width <= 0 || record->height <= 0) return 1;
    const LoadStoreLineFn pass = SelectLoadStoreLine(CpuFeatures());
    auto* frame = reinterpret_cast<std::int16_t*>(record->frame);
    const std::ptrdiff_t line_step = std::ptrdiff_t{record->pitch} * 3;
    for (std::int32_t y = 0; y < record->height; ++y) pass(frame + y * line_step, 3 * width);
    return 1;
}
