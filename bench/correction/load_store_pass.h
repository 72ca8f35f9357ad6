// The memory limit of the frame correction: a pass over the same components
// that loads each vector and stores it back unchanged, with no arithmetic.
// The correction can at best match it.
#pragma once

#include <cstdint>

#include "host/host_records.h"

using LoadStoreLineFn = void (*)(std::int16_t* line, std::int32_t count);

void LoadStoreLine_sse2(std::int16_t* line, std::int32_t count);
void LoadStoreLine_avx2(std::int16_t* line, std::int32_t count);

// The widest pass the CPU features allow (SSE2 at least).
LoadStoreLineFn SelectLoadStoreLine(unsigned cpu_features);

// Walks the frame like ProcessFrame, the widest pass in place of the blend;
// same signature, so the benchmarks time it like any other entry.
std::int32_t ZEPHO_CDECL LoadStoreFrame(FilterTable* table, ProcessingRecord* record);
