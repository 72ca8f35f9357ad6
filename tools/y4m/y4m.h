// YUV4MPEG2 clips, read and written one frame at a time, and the conversion
// of their 8-bit planes to and from the host's 16-bit YC pixels.
//
// Scaling, exactly invertible for every 8-bit value:
//   to the host:   Y' = 16 * Y          C' = 16 * (C - 128)
//   back:          Y  = clamp(floor((Y' + 8) / 16), 0, 255)
//                  C  = clamp(floor((C' + 8) / 16) + 128, 0, 255)
// Chroma: upsampled by replication (each chroma sample covers its 2x1 or 2x2
// block of luma positions, the last block of an odd size being smaller) and
// downsampled by averaging the block's 16-bit values, rounded once together
// with the scaling, so replicated samples come back unchanged. Chroma siting
// (420jpeg, 420mpeg2, 420paldv) is kept in the header and not interpreted.
// Mono clips get neutral chroma (0) and write back only their luma plane.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "host/host_records.h"

enum class Chroma { k420, k422, k444, kMono };

inline constexpr int kMaxClipWidth = 4096;  // the filter's column count
inline constexpr int kMaxClipHeight = 4096;

struct Y4mFormat {
    int width = 0;
    int height = 0;
    Chroma chroma = Chroma::k420;
    std::string header;  // the whole header line, written back unchanged

    int ChromaWidth() const { return chroma == Chroma::k444 ? width : (width + 1) / 2; }
    int ChromaHeight() const { return chroma == Chroma::k420 ? (height + 1) / 2 : height; }
    std::size_t LumaBytes() const { return std::size_t(width) * height; }
    std::size_t ChromaBytes() const {
        return chroma == Chroma::kMono ? 0 : std::size_t(ChromaWidth()) * ChromaHeight();
    }
    std::size_t FrameBytes() const { return LumaBytes() + 2 * ChromaBytes(); }
    const char* ChromaName() const;
};

// Parses a header line (without its newline). "" on success, else the problem.
std::string ParseY4mHeader(const std::string& line, Y4mFormat& format);

// Reads the header. "" on success, else the problem.
std::string ReadY4mHeader(std::FILE* in, Y4mFormat& format);

// Reads one frame's planes (Y, Cb, Cr, each row after row) into `planes`.
// 1: a frame; 0: clean end of the clip; -1: `error` says what is wrong.
int ReadY4mFrame(std::FILE* in, const Y4mFormat& format, std::vector<std::uint8_t>& planes, std::string& error);

bool WriteY4mHeader(std::FILE* out, const Y4mFormat& format);
bool WriteY4mFrame(std::FILE* out, const Y4mFormat& format, std::span<const std::uint8_t> planes);

// Planes <-> a frame of YcPixels whose lines lie `pitch` pixels apart.
void PlanesToYc(const Y4mFormat& format, std::span<const std::uint8_t> planes, YcPixel* frame, int pitch);
void YcToPlanes(const Y4mFormat& format, const YcPixel* frame, int pitch, std::span<std::uint8_t> planes);

constexpr std::int16_t LumaTo16(std::uint8_t y) { return std::int16_t(16 * y); }
constexpr std::int16_t ChromaTo16(std::uint8_t c) { return std::int16_t(16 * (c - 128)); }
constexpr std::uint8_t Clamp8(int v) { return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }
// >> on a negative int is a floor division by 16 in C++20.
constexpr std::uint8_t LumaTo8(std::int16_t y) { return Clamp8((y + 8) >> 4); }
constexpr std::uint8_t ChromaTo8(std::int16_t c) { return Clamp8(((c + 8) >> 4) + 128); }
