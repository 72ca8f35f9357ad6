#include "plugin/filter_table.h"

#include "correction/column_gain_table.h"
#include "correction/process_frame.h"
#include "search/filter_window_proc.h"

// "ゼフォ(縦線)除去"
constinit const char kFilterName[] = "\x83\x5b\x83\x74\x83\x48(\x8f\x63\x90\xfc)\x8f\x9c\x8b\x8e";
// "強さ"
constinit const char kStrengthTitle[] = "\x8b\xad\x82\xb3";
// "ゼフォの検索"
constinit const char kSearchTitle[] = "\x83\x5b\x83\x74\x83\x48\x82\xcc\x8c\x9f\x8d\xf5";
// "ゼフォ(縦線)除去 version 1.00 by the zepho project"
constinit const char kFilterInformation[] =
    "\x83\x5b\x83\x74\x83\x48(\x8f\x63\x90\xfc)\x8f\x9c\x8b\x8e version 1.00 by the zepho project";

namespace {
constinit const char* const kTrackTitles[1] = {kStrengthTitle};
constinit const std::int32_t kTrackDefaults[1] = {kStrengthDefault};
constinit const char* const kCheckTitles[1] = {kSearchTitle};
constinit const std::int32_t kCheckDefaults[1] = {kSearchDefault};

// Writable: the host enters its track values, services and instance here.
constinit FilterTable filterTable = {
    .flags = kFilterFlags,
    .name = kFilterName,
    .track_count = 1,
    .track_titles = kTrackTitles,
    .track_defaults = kTrackDefaults,
    .check_count = 1,
    .check_titles = kCheckTitles,
    .check_defaults = kCheckDefaults,
    .process_frame = ProcessFrame,
    .window_proc = FilterWindowProc,
    .extra_data = ColumnGainTable.data(),
    .extra_data_size = sizeof(ColumnGainTable),
    .information = kFilterInformation,
};
}  // namespace

extern "C" FilterTable* ZEPHO_CDECL GetFilterTable() { return &filterTable; }
