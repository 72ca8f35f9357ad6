#include "search/estimate_column_gains.h"

std::int32_t EstimateColumnGains(std::int32_t, std::int32_t, std::int32_t, std::int32_t, EditHandle,
                                 const HostServiceTable*, std::int32_t) {
    return 0;
}
