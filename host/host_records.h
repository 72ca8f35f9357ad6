// The host's records and service table, as this filter uses them.
//
// The host is a 32-bit Windows program: every record is a fixed little-endian
// layout with 32-bit pointers and handles. Only the fields the filter reads or
// writes are named; the rest is padding of the right size. The same
// declarations compile natively (64-bit pointers) for the portable core's
// tests, so the byte offsets are only asserted in the 32-bit build.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define ZEPHO_CDECL __cdecl
#define ZEPHO_HOST_ABI 1
#else
#define ZEPHO_CDECL
#define ZEPHO_HOST_ABI 0
#endif

// One pixel of a host frame: luminance, then two colour differences.
struct YcPixel {
    std::int16_t y;
    std::int16_t cb;
    std::int16_t cr;
};
static_assert(sizeof(YcPixel) == 6);

// The host's opaque handle of the edit in progress; handed back unchanged as
// the first argument of every service.
using EditHandle = void*;

// Given to the per-frame entry. Pitch is the distance between lines, in pixels.
struct ProcessingRecord {
    std::int32_t flags;
    YcPixel* frame;  // line 0, corrected in place
    YcPixel* spare_frame;
    std::int32_t width;
    std::int32_t height;
    std::int32_t pitch;
};

// Filled by service slot 23; the caller provides all 64 bytes.
struct FileInfoRecord {
    std::int32_t flags;
    std::int32_t reserved4;
    std::int32_t width;
    std::int32_t height;
    std::int32_t reserved16[12];
};

// Filled by service slot 40; the caller provides all 76 bytes.
struct SystemInfoRecord {
    std::int32_t flags;  // bit 0: a video is open for editing
    std::int32_t reserved4[10];
    std::int32_t pitch;  // row pitch, in pixels, of the frames slot 0 returns
    std::int32_t reserved48[7];
};
constexpr std::int32_t kSystemEditing = 1;

using FrameImageService = YcPixel*(ZEPHO_CDECL*)(EditHandle, std::int32_t frame, std::int32_t offset);
using CurrentFrameService = std::int32_t(ZEPHO_CDECL*)(EditHandle);
using FileInfoService = std::int32_t(ZEPHO_CDECL*)(EditHandle, FileInfoRecord*);
using SystemInfoService = std::int32_t(ZEPHO_CDECL*)(EditHandle, SystemInfoRecord*);

// The host's table of services: slot n is the function pointer at byte 4n.
struct HostServiceTable {
    FrameImageService frame_image;  // slot 0: line 0 of frame (number + offset)
    void* slots1_5[5];
    CurrentFrameService current_frame;  // slot 6: number of the current frame
    void* slots7_22[16];
    FileInfoService file_info;  // slot 23
    void* slots24_39[16];
    SystemInfoService system_info;  // slot 40
};

struct FilterTable;
using ProcessFrameEntry = std::int32_t(ZEPHO_CDECL*)(FilterTable*, ProcessingRecord*);
using WindowEntry = std::int32_t(ZEPHO_CDECL*)(void* window, std::uint32_t message, std::uintptr_t wparam,
                                               std::intptr_t lparam, EditHandle edit, FilterTable*);

// The filter's description, handed to the host by GetFilterTable. The host
// writes track_values, services and instance before it calls the filter.
struct FilterTable {
    std::uint32_t flags;
    std::int32_t reserved4;
    std::int32_t reserved8;
    const char* name;
    std::int32_t track_count;
    const char* const* track_titles;
    const std::int32_t* track_defaults;
    const std::int32_t* reserved28;
    const std::int32_t* reserved32;
    std::int32_t check_count;
    const char* const* check_titles;
    const std::int32_t* check_defaults;
    ProcessFrameEntry process_frame;
    void* reserved52;
    void* reserved56;
    void* reserved60;
    WindowEntry window_proc;
    std::int32_t* track_values;  // host: current track values; [0] is the strength
    std::int32_t* reserved72;
    void* extra_data;
    std::int32_t extra_data_size;
    const char* information;
    void* reserved88;
    void* reserved92;
    const HostServiceTable* services;  // host
    void* reserved100;
    void* instance;  // host: the module's instance handle
    std::int32_t reserved108[8];
};

#if ZEPHO_HOST_ABI
static_assert(offsetof(ProcessingRecord, frame) == 4);
static_assert(offsetof(ProcessingRecord, width) == 12);
static_assert(offsetof(ProcessingRecord, height) == 16);
static_assert(offsetof(ProcessingRecord, pitch) == 20);
static_assert(sizeof(FileInfoRecord) == 64);
static_assert(offsetof(FileInfoRecord, width) == 8);
static_assert(offsetof(FileInfoRecord, height) == 12);
static_assert(sizeof(SystemInfoRecord) == 76);
static_assert(offsetof(SystemInfoRecord, pitch) == 44);
static_assert(offsetof(HostServiceTable, frame_image) == 0);
static_assert(offsetof(HostServiceTable, current_frame) == 24);
static_assert(offsetof(HostServiceTable, file_info) == 92);
static_assert(offsetof(HostServiceTable, system_info) == 160);
static_assert(sizeof(FilterTable) == 140);
static_assert(offsetof(FilterTable, name) == 12);
static_assert(offsetof(FilterTable, track_count) == 16);
static_assert(offsetof(FilterTable, track_titles) == 20);
static_assert(offsetof(FilterTable, track_defaults) == 24);
static_assert(offsetof(FilterTable, check_count) == 36);
static_assert(offsetof(FilterTable, check_titles) == 40);
static_assert(offsetof(FilterTable, check_defaults) == 44);
static_assert(offsetof(FilterTable, process_frame) == 48);
static_assert(offsetof(FilterTable, window_proc) == 64);
static_assert(offsetof(FilterTable, track_values) == 68);
static_assert(offsetof(FilterTable, extra_data) == 76);
static_assert(offsetof(FilterTable, extra_data_size) == 80);
static_assert(offsetof(FilterTable, information) == 84);
static_assert(offsetof(FilterTable, services) == 96);
static_assert(offsetof(FilterTable, instance) == 104);
#endif
