// The per-frame entry: corrects every line of the host's frame in place with
// the column gains, blended with the uncorrected value by the strength track.
#pragma once

#include "host/host_records.h"

// Always returns 1.
std::int32_t ZEPHO_CDECL ProcessFrame(FilterTable* table, ProcessingRecord* record);
