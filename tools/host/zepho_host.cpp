// zepho-host.exe: runs a filter plug-in outside a host editor. It loads the
// module, plays the host's part of the filter table and its services, and
// passes a YUV4MPEG2 clip through the filter frame by frame; the search
// button is pressed through the filter's window entry and its dialog filled
// in by a timer on this thread.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "host/host_records.h"
#include "tools/host/host_options.h"
#include "tools/y4m/y4m.h"

namespace {
constexpr int kSearchCommand = 12004;
constexpr int kFirstLineField = 32000;  // then last line, then frames
constexpr int kServiceSlots = 64;

std::string SystemMessage(DWORD code) {
    char text[256] = "";
    // In English: the console may not show the system's own code page.
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                   MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text, sizeof(text), nullptr);
    std::string s = text;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return "error " + std::to_string(code) + (s.empty() ? "" : " (" + s + ")");
}

// Shift-JIS (code page 932) to UTF-8.
std::string Utf8FromSjis(const char* text) {
    if (!text) return "(none)";
    wchar_t wide[1024];
    const int n = MultiByteToWideChar(932, 0, text, -1, wide, 1024);
    if (n <= 0) return "(unreadable)";
    char utf8[4096];
    const int m = WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof(utf8), nullptr, nullptr);
    return m > 0 ? std::string(utf8) : "(unreadable)";
}

// ---- the loaded plug-in and what it needs of the table

FilterTable* LoadFilter(const std::string& path, HMODULE& module) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    module = LoadLibraryA(path.c_str());
    if (!module) Fail(kExitPlugin, "cannot load plug-in " + path + ": " + SystemMessage(GetLastError()));
    auto get = reinterpret_cast<FilterTable*(ZEPHO_CDECL*)()>(reinterpret_cast<void*>(GetProcAddress(module, "GetFilterTable")));
    if (!get) Fail(kExitPlugin, path + " is not a filter plug-in: it exports no GetFilterTable");
    FilterTable* table = get();
    if (!table) Fail(kExitPlugin, path + ": GetFilterTable returned no table");
    if (table->track_count < 1 || table->track_count > 64 || !table->track_defaults || !table->track_titles)
        Fail(kExitPlugin, path + ": the filter table declares no strength track");
    if (!table->process_frame) Fail(kExitPlugin, path + ": the filter table has no per-frame entry");
    return table;
}

void PrintInfo(const FilterTable* t) {
    _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 lines ending in \n alone
    std::printf("name: %s\n", Utf8FromSjis(t->name).c_str());
    for (int i = 0; i < t->track_count; ++i)
        std::printf("track %d: %s (default %d)\n", i, Utf8FromSjis(t->track_titles[i]).c_str(), int(t->track_defaults[i]));
    for (int i = 0; t->check_titles && i < t->check_count && i < 64; ++i)
        std::printf("button %d: %s\n", i, Utf8FromSjis(t->check_titles[i]).c_str());
    std::printf("extra data: %d bytes\n", int(t->extra_data_size));
    if (t->information) std::printf("information: %s\n", Utf8FromSjis(t->information).c_str());
}

// ---- the clip, served to the filter's services

struct Clip {
    std::FILE* in = nullptr;
    Y4mFormat format;
    int pitch = 0;
    std::int32_t next = 0;                        // number of the next frame to process
    std::deque<std::vector<std::uint8_t>> ahead;  // frames next, next + 1, ... already read
    bool ended = false;
    std::string error;                           // a read error met while serving the filter
    std::vector<YcPixel> fetched;                // slot 0's buffer, valid until the next call
    int bad_handle_calls = 0;
    int stub_calls[kServiceSlots] = {};
};
Clip clip;

// Makes frame `number` available in `ahead`; false past the end or on error.
bool ReadAhead(std::int32_t number) {
    if (number < clip.next) return false;
    while (!clip.ended && std::int64_t(clip.ahead.size()) <= std::int64_t(number) - clip.next) {
        std::vector<std::uint8_t> planes;
        std::string error;
        const int got = ReadY4mFrame(clip.in, clip.format, planes, error);
        if (got <= 0) {
            clip.ended = true;
            if (got < 0) clip.error = "frame " + std::to_string(clip.next + clip.ahead.size()) + ": " + error;
            break;
        }
        clip.ahead.push_back(std::move(planes));
    }
    return std::int64_t(clip.ahead.size()) > std::int64_t(number) - clip.next;
}

bool OurEdit(EditHandle edit) {
    if (edit == &clip) return true;
    ++clip.bad_handle_calls;
    return false;
}

YcPixel* ZEPHO_CDECL FrameImage(EditHandle edit, std::int32_t frame, std::int32_t offset) {
    if (!OurEdit(edit)) return nullptr;
    const std::int64_t number = std::int64_t(frame) + offset;
    if (number < 0 || number > INT32_MAX || !ReadAhead(std::int32_t(number))) return nullptr;
    PlanesToYc(clip.format, clip.ahead[std::size_t(number - clip.next)], clip.fetched.data(), clip.pitch);
    return clip.fetched.data();
}

std::int32_t ZEPHO_CDECL CurrentFrame(EditHandle edit) { return OurEdit(edit) ? clip.next : 0; }

std::int32_t ZEPHO_CDECL FileInfo(EditHandle edit, FileInfoRecord* info) {
    if (!OurEdit(edit)) return 0;
    *info = FileInfoRecord{};
    info->width = clip.format.width;
    info->height = clip.format.height;
    return 1;
}

std::int32_t ZEPHO_CDECL SystemInfo(EditHandle edit, SystemInfoRecord* info) {
    if (!OurEdit(edit)) return 0;
    *info = SystemInfoRecord{};
    info->flags = kSystemEditing;
    info->pitch = clip.pitch;
    return 1;
}

// Every other slot: counts the call and returns 0. Services are cdecl, so a
// function that takes nothing is safe whatever the filter passes.
template <int N>
std::int32_t ZEPHO_CDECL StubService() {
    ++clip.stub_calls[N];
    return 0;
}

template <int... N>
void FillStubs(void** slots, std::integer_sequence<int, N...>) {
    ((slots[N] = reinterpret_cast<void*>(&StubService<N>)), ...);
}

void* serviceSlots[kServiceSlots];

const HostServiceTable* Services() {
    FillStubs(serviceSlots, std::make_integer_sequence<int, kServiceSlots>());
    serviceSlots[0] = reinterpret_cast<void*>(&FrameImage);
    serviceSlots[6] = reinterpret_cast<void*>(&CurrentFrame);
    serviceSlots[23] = reinterpret_cast<void*>(&FileInfo);
    serviceSlots[40] = reinterpret_cast<void*>(&SystemInfo);
    return reinterpret_cast<const HostServiceTable*>(serviceSlots);
}

// ---- the search button and its dialog

struct Autopilot {
    HWND owner = nullptr;
    const Options* options = nullptr;
    bool found = false;
    int offered[3] = {};
    int ticks = 0;
} autopilot;

BOOL CALLBACK FindDialog(HWND window, LPARAM result) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the dialog's modal loop: reads what the dialog offers, types
// the requested values and presses OK; stops looking after 10 s (500 ticks).
void CALLBACK AutopilotTick(HWND owner, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) {
        if (++autopilot.ticks > 500) KillTimer(owner, timer);
        return;
    }
    KillTimer(owner, timer);
    autopilot.found = true;
    const Options& o = *autopilot.options;
    const int typed[3] = {o.first, o.last, o.frames};
    for (int i = 0; i < 3; ++i) {
        BOOL ok = FALSE;
        autopilot.offered[i] = int(GetDlgItemInt(dialog, kFirstLineField + i, &ok, TRUE));
        if (o.typed) SetDlgItemInt(dialog, kFirstLineField + i, UINT(typed[i]), TRUE);
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Presses the button; the filter's result (1: the table was replaced).
int PressSearchButton(FilterTable* table, const Options& o) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZephoHostFilterWindow";
    RegisterClassA(&wc);
    // The filter window: hidden, as on a host whose filter window is closed.
    HWND owner = CreateWindowExA(0, wc.lpszClassName, "zepho-host", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    if (!owner) Fail(kExitSearch, "cannot create the filter window: " + SystemMessage(GetLastError()));
    autopilot = Autopilot{owner, &o};
    SetTimer(owner, 1, 20, AutopilotTick);
    const int result = table->window_proc(owner, WM_COMMAND, kSearchCommand, 0, &clip, table);
    KillTimer(owner, 1);
    DestroyWindow(owner);
    return result;
}

// ---- output: a temporary name, renamed when the clip is complete

struct Output {
    std::FILE* file = nullptr;
    std::string path, temp;
};
Output output;

void RemovePartialOutput() {
    if (output.file && !output.temp.empty()) {
        std::fclose(output.file);
        output.file = nullptr;
        DeleteFileA(output.temp.c_str());
    }
}

void OpenOutput(const std::string& path) {
    output.path = path;
    if (path == "-") {
        _setmode(_fileno(stdout), _O_BINARY);
        output.file = stdout;
        return;
    }
    output.temp = path + ".part";
    output.file = std::fopen(output.temp.c_str(), "wb");
    if (!output.file) Fail(kExitOutput, "cannot write " + output.temp + ": " + std::strerror(errno));
    std::atexit(RemovePartialOutput);  // every failure exits through here
}

void CommitOutput() {
    const bool flushed = std::fflush(output.file) == 0;
    if (output.temp.empty()) {
        if (!flushed) Fail(kExitOutput, "cannot write to standard output");
        return;
    }
    const bool closed = std::fclose(output.file) == 0;
    output.file = nullptr;
    if (!flushed || !closed) {
        DeleteFileA(output.temp.c_str());
        Fail(kExitOutput, "cannot write " + output.temp);
    }
    if (!MoveFileExA(output.temp.c_str(), output.path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = GetLastError();
        DeleteFileA(output.temp.c_str());
        Fail(kExitOutput, "cannot rename " + output.temp + " to " + output.path + ": " + SystemMessage(error));
    }
}

// ---- the gain block

void LoadGains(FilterTable* table, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) Fail(kExitInput, "cannot read gain block " + path + ": " + std::strerror(errno));
    std::vector<std::uint8_t> block(8193);
    const std::size_t n = std::fread(block.data(), 1, block.size(), f);
    std::fclose(f);
    if (n != 8192) Fail(kExitInput, "gain block " + path + " holds " + std::to_string(n) + " bytes, not 8192");
    std::memcpy(table->extra_data, block.data(), 8192);
}

void SaveGains(const FilterTable* table, const std::string& path) {
    const std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) Fail(kExitOutput, "cannot write gain block " + temp + ": " + std::strerror(errno));
    const bool ok = std::fwrite(table->extra_data, 1, 8192, f) == 8192;
    if (std::fclose(f) != 0 || !ok || !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temp.c_str());
        Fail(kExitOutput, "cannot write gain block " + path);
    }
}

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}
}  // namespace

int main(int argc, char** argv) {
    const Options o = ParseOptions(argc, argv);
    HMODULE module = nullptr;
    FilterTable* table = LoadFilter(o.plugin, module);
    if (o.info) {
        PrintInfo(table);
        return 0;
    }
    const bool block_ok = table->extra_data && table->extra_data_size == 8192;
    if (!o.gains.empty() && !block_ok) Fail(kExitPlugin, o.plugin + " declares no 8192-byte gain block");
    if (o.search && (!table->window_proc || table->check_count < 1))
        Fail(kExitPlugin, o.plugin + " has no search button to press");

    // The host's part of the table: track values, services, instance.
    std::vector<std::int32_t> track_values(table->track_defaults, table->track_defaults + table->track_count);
    if (o.strength >= 0) track_values[0] = o.strength;
    table->track_values = track_values.data();
    table->services = Services();
    table->instance = module;
    if (!o.gains.empty() && !o.search) LoadGains(table, o.gains);

    if (o.input == "-") {
        _setmode(_fileno(stdin), _O_BINARY);
        clip.in = stdin;
    } else if (!(clip.in = std::fopen(o.input.c_str(), "rb"))) {
        Fail(kExitInput, "cannot read " + o.input + ": " + std::strerror(errno));
    }
    const std::string header_error = ReadY4mHeader(clip.in, clip.format);
    if (!header_error.empty()) Fail(kExitInput, o.input + ": " + header_error);
    // A pitch beyond the width, as hosts have, so a filter that confuses the two shows it.
    clip.pitch = (clip.format.width + 15) / 16 * 16;
    const std::size_t frame_pixels = std::size_t(clip.pitch) * clip.format.height;
    clip.fetched.resize(frame_pixels);
    std::vector<YcPixel> frame(frame_pixels);

    OpenOutput(o.output);
    if (!WriteY4mHeader(output.file, clip.format)) Fail(kExitOutput, "cannot write " + o.output);

    int searched = -1;  // -1: not pressed; else the filter's result
    double filter_seconds = 0;
    const double started = Seconds();
    double shown = started;
    for (;;) {
        if (o.search && searched < 0 && clip.next == o.start) {
            if (!ReadAhead(clip.next)) break;  // the search is reported below
            searched = PressSearchButton(table, o);
            if (!clip.error.empty()) Fail(kExitInput, o.input + ": " + clip.error);
        }
        if (!ReadAhead(clip.next)) break;
        std::vector<std::uint8_t> planes = std::move(clip.ahead.front());
        clip.ahead.pop_front();

        PlanesToYc(clip.format, planes, frame.data(), clip.pitch);
        ProcessingRecord record{};
        record.frame = frame.data();
        record.width = clip.format.width;
        record.height = clip.format.height;
        record.pitch = clip.pitch;
        const double before = Seconds();
        table->process_frame(table, &record);
        filter_seconds += Seconds() - before;
        YcToPlanes(clip.format, frame.data(), clip.pitch, planes);
        if (!WriteY4mFrame(output.file, clip.format, planes)) Fail(kExitOutput, "cannot write " + o.output);
        ++clip.next;

        const double now = Seconds();
        if (now - shown > 0.5) {
            std::fprintf(stderr, "\rzepho-host: frame %d, %.1f frames/s ", int(clip.next), clip.next / (now - started));
            shown = now;
        }
    }
    if (shown != started) std::fputc('\n', stderr);
    if (!clip.error.empty()) Fail(kExitInput, o.input + ": " + clip.error);
    if (o.search && searched < 0)
        Fail(kExitSearch, "the clip has " + std::to_string(clip.next) + " frames; the search at frame " +
                              std::to_string(o.start) + " never ran");
    if (o.search && !autopilot.found) Fail(kExitSearch, "the search dialog did not open");
    if (o.search && searched != 1)
        Fail(kExitSearch, "the search did not replace the gain table (dialog offered " +
                              std::to_string(autopilot.offered[0]) + "," + std::to_string(autopilot.offered[1]) + "," +
                              std::to_string(autopilot.offered[2]) + ")");
    if (clip.bad_handle_calls) Fail(kExitPlugin, "the filter called a service with a wrong edit handle");
    if (o.search && !o.gains.empty()) SaveGains(table, o.gains);
    CommitOutput();

    std::string summary = std::to_string(clip.next) + " frames " + std::to_string(clip.format.width) + "x" +
                          std::to_string(clip.format.height) + " " + clip.format.ChromaName();
    char timing[96];
    std::snprintf(timing, sizeof(timing), ", %.3f ms per frame in the filter, %.3f ms overall",
                  clip.next ? 1000 * filter_seconds / clip.next : 0.0,
                  clip.next ? 1000 * (Seconds() - started) / clip.next : 0.0);
    summary += timing;
    if (o.search) {
        summary += "; search at frame " + std::to_string(o.start) + " (dialog offered " +
                   std::to_string(autopilot.offered[0]) + "," + std::to_string(autopilot.offered[1]) + "," +
                   std::to_string(autopilot.offered[2]) + "): gain table replaced";
    } else {
        summary += "; no search";
    }
    for (int i = 0; i < kServiceSlots; ++i)
        if (clip.stub_calls[i]) summary += "; unserved slot " + std::to_string(i) + " called";
    std::fprintf(stderr, "zepho-host: %s\n", summary.c_str());
    return 0;
}
