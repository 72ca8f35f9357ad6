// Measures the column gains from a run of frames fetched through the host's
// services, and replaces the first `width` entries of ColumnGainTable.
#pragma once

#include "host/host_records.h"

// Lines first_line..last_line (first_line <= last_line) of `frames`
// consecutive frames from the current one. 1 when the table was replaced,
// 0 when the estimation failed and the table is untouched.
//
// Per column: the average over lines and frames of luminance ÷ frames (each
// pixel's quotient truncated before it is added); the target is the mean of
// the columns above a quarter of the largest average, and each column's gain
// is target × 16384 ÷ its average, or 16384 for an average below 16 or a
// quotient above 32737. Columns from 4096 on are neither read nor written;
// a frame the host cannot deliver (null) ends the estimation with 0.
std::int32_t EstimateColumnGains(std::int32_t width, std::int32_t first_line, std::int32_t last_line,
                                 std::int32_t frames, EditHandle edit, const HostServiceTable* services,
                                 std::int32_t pitch);

// The same estimation with one plain division per pixel: the reference that
// the fast paths are checked and measured against.
std::int32_t EstimateColumnGainsReference(std::int32_t width, std::int32_t first_line, std::int32_t last_line,
                                          std::int32_t frames, EditHandle edit, const HostServiceTable* services,
                                          std::int32_t pitch);
