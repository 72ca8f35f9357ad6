// Measures the column gains from a run of frames fetched through the host's
// services, and replaces the first `width` entries of ColumnGainTable.
#pragma once

#include "host/host_records.h"

// Lines first_line..last_line (first_line <= last_line) of `frames`
// consecutive frames from the current one. 1 when the table was replaced,
// 0 when the estimation failed and the table is untouched.
std::int32_t EstimateColumnGains(std::int32_t width, std::int32_t first_line, std::int32_t last_line,
                                 std::int32_t frames, EditHandle edit, const HostServiceTable* services,
                                 std::int32_t pitch);
