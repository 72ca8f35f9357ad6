#include "correction/column_gain_table.h"

// Neutral from load on: a zero-filled table would black out every frame at
// the default strength until the first search.
alignas(64) constinit GainRow ColumnGainTable = NeutralGains();

static_assert(sizeof(ColumnGainTable) == 8192);
