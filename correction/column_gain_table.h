// The filter's one piece of lasting state: a gain per pixel column, in units
// of 1/16384 (16384 = 1.0). The host keeps it as the filter's 8192-byte
// extra-data block, column 0 first, exactly as it lies in memory.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kMaxColumns = 4096;
inline constexpr std::int16_t kNeutralGain = 16384;

using GainRow = std::array<std::int16_t, kMaxColumns>;

// Written by the gain estimation and by the host; read by ProcessFrame.
extern GainRow ColumnGainTable;

constexpr GainRow NeutralGains() {
    GainRow row{};
    for (auto& gain : row) gain = kNeutralGain;
    return row;
}
