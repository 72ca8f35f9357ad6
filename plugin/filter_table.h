// The filter's description that the host reads through GetFilterTable.
#pragma once

#include "host/host_records.h"

extern "C" FilterTable* ZEPHO_CDECL GetFilterTable();

// The texts, NUL-terminated Shift-JIS, exposed for the tests that check them
// byte for byte.
extern const char kFilterName[];
extern const char kStrengthTitle[];
extern const char kSearchTitle[];
extern const char kFilterInformation[];

inline constexpr std::uint32_t kFilterFlags = 0x00040C00;  // bits 10, 11 and 18
inline constexpr std::int32_t kStrengthDefault = 256;
inline constexpr std::int32_t kSearchDefault = -1;
