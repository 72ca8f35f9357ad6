#include "tools/y4m/y4m.h"

#include <algorithm>

namespace {
constexpr std::size_t kMaxLine = 4096;

// Reads up to and without the next '\n'. 1: a line; 0: end of file before
// any byte; -1: end of file inside the line or a line longer than kMaxLine.
int ReadLine(std::FILE* in, std::string& line) {
    line.clear();
    for (;;) {
        const int c = std::fgetc(in);
        if (c == EOF) return line.empty() ? 0 : -1;
        if (c == '\n') return 1;
        if (line.size() == kMaxLine) return -1;
        line.push_back(char(c));
    }
}

// A positive decimal number no larger than `limit`; -1 otherwise.
long ParseSize(const std::string& text, long limit) {
    if (text.empty() || text.size() > 9) return -1;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= limit ? value : -1;
}

bool ParseChroma(const std::string& tag, Chroma& chroma) {
    if (tag == "420jpeg" || tag == "420paldv" || tag == "420mpeg2" || tag == "420") chroma = Chroma::k420;
    else if (tag == "422") chroma = Chroma::k422;
    else if (tag == "444") chroma = Chroma::k444;
    else if (tag == "mono") chroma = Chroma::kMono;
    else return false;
    return true;
}

// floor(a / b) for b > 0.
constexpr int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
}  // namespace

const char* Y4mFormat::ChromaName() const {
    switch (chroma) {
    case Chroma::k420: return "4:2:0";
    case Chroma::k422: return "4:2:2";
    case Chroma::k444: return "4:4:4";
    case Chroma::kMono: return "mono";
    }
    return "?";
}

std::string ParseY4mHeader(const std::string& line, Y4mFormat& format) {
    static constexpr char kMagic[] = "YUV4MPEG2";
    if (line.compare(0, sizeof(kMagic) - 1, kMagic) != 0) return "not a YUV4MPEG2 clip (no YUV4MPEG2 signature)";
    format = Y4mFormat{};
    format.header = line;
    std::size_t pos = sizeof(kMagic) - 1;
    while (pos < line.size()) {
        if (line[pos] != ' ') return "malformed header";
        const std::size_t end = std::min(line.find(' ', pos + 1), line.size());
        const std::string field = line.substr(pos + 1, end - pos - 1);
        pos = end;
        if (field.empty()) continue;
        const std::string value = field.substr(1);
        switch (field[0]) {
        case 'W':
            format.width = int(ParseSize(value, kMaxClipWidth));
            if (format.width < 0) return "width '" + value + "' is not a number from 1 to 4096";
            break;
        case 'H':
            format.height = int(ParseSize(value, kMaxClipHeight));
            if (format.height < 0) return "height '" + value + "' is not a number from 1 to 4096";
            break;
        case 'C':
            if (!ParseChroma(value, format.chroma))
                return "colour format C" + value + " is not supported (8-bit 420, 422, 444 or mono)";
            break;
        default:  // frame rate, interlacing, aspect and extensions: kept in the header
            break;
        }
    }
    if (format.width <= 0 || format.height <= 0) return "header gives no width or height";
    return "";
}

std::string ReadY4mHeader(std::FILE* in, Y4mFormat& format) {
    std::string line;
    const int got = ReadLine(in, line);
    if (got == 0) return "empty input, no YUV4MPEG2 header";
    if (got < 0 && line.size() == kMaxLine) return "header line too long";
    if (got < 0) return "truncated header";
    return ParseY4mHeader(line, format);
}

int ReadY4mFrame(std::FILE* in, const Y4mFormat& format, std::vector<std::uint8_t>& planes, std::string& error) {
    std::string line;
    const int got = ReadLine(in, line);
    if (got == 0) return 0;
    if (got < 0 || line.compare(0, 5, "FRAME") != 0 || (line.size() > 5 && line[5] != ' ')) {
        error = "malformed frame header";
        return -1;
    }
    planes.resize(format.FrameBytes());
    const std::size_t read = std::fread(planes.data(), 1, planes.size(), in);
    if (read != planes.size()) {
        error = "truncated frame: " + std::to_string(read) + " of " + std::to_string(planes.size()) + " bytes";
        return -1;
    }
    return 1;
}

bool WriteY4mHeader(std::FILE* out, const Y4mFormat& format) {
    return std::fprintf(out, "%s\n", format.header.c_str()) > 0;
}

bool WriteY4mFrame(std::FILE* out, const Y4mFormat& format, std::span<const std::uint8_t> planes) {
    return std::fputs("FRAME\n", out) >= 0 && std::fwrite(planes.data(), 1, format.FrameBytes(), out) == format.FrameBytes();
}

void PlanesToYc(const Y4mFormat& format, std::span<const std::uint8_t> planes, YcPixel* frame, int pitch) {
    const std::uint8_t* luma = planes.data();
    const std::uint8_t* cb = luma + format.LumaBytes();
    const std::uint8_t* cr = cb + format.ChromaBytes();
    const int cw = format.ChromaWidth();
    const int sx = format.chroma == Chroma::k444 ? 0 : 1;  // log2 of the block's width
    const int sy = format.chroma == Chroma::k420 ? 1 : 0;  // and height
    for (int y = 0; y < format.height; ++y) {
        YcPixel* line = frame + std::size_t(y) * pitch;
        const std::size_t chroma_row = std::size_t(y >> sy) * cw;
        for (int x = 0; x < format.width; ++x) {
            line[x].y = LumaTo16(luma[std::size_t(y) * format.width + x]);
            if (format.chroma == Chroma::kMono) {
                line[x].cb = line[x].cr = 0;
            } else {
                line[x].cb = ChromaTo16(cb[chroma_row + (x >> sx)]);
                line[x].cr = ChromaTo16(cr[chroma_row + (x >> sx)]);
            }
        }
    }
}

void YcToPlanes(const Y4mFormat& format, const YcPixel* frame, int pitch, std::span<std::uint8_t> planes) {
    std::uint8_t* luma = planes.data();
    for (int y = 0; y < format.height; ++y)
        for (int x = 0; x < format.width; ++x)
            luma[std::size_t(y) * format.width + x] = LumaTo8(frame[std::size_t(y) * pitch + x].y);
    if (format.chroma == Chroma::kMono) return;

    std::uint8_t* cb = luma + format.LumaBytes();
    std::uint8_t* cr = cb + format.ChromaBytes();
    const int bw = format.chroma == Chroma::k444 ? 1 : 2;
    const int bh = format.chroma == Chroma::k420 ? 2 : 1;
    for (int cy = 0; cy < format.ChromaHeight(); ++cy) {
        for (int cx = 0; cx < format.ChromaWidth(); ++cx) {
            // The block of luma positions this sample covers, cut at the edges.
            int sum_cb = 0, sum_cr = 0, n = 0;
            for (int y = cy * bh; y < std::min(cy * bh + bh, format.height); ++y)
                for (int x = cx * bw; x < std::min(cx * bw + bw, format.width); ++x) {
                    const YcPixel& p = frame[std::size_t(y) * pitch + x];
                    sum_cb += p.cb, sum_cr += p.cr, ++n;
                }
            // floor(mean / 16 + 1/2) + 128 in one rounding: floor((sum + 8n) / 16n).
            const std::size_t at = std::size_t(cy) * format.ChromaWidth() + cx;
            cb[at] = Clamp8(FloorDiv(sum_cb + 8 * n, 16 * n) + 128);
            cr[at] = Clamp8(FloorDiv(sum_cr + 8 * n, 16 * n) + 128);
        }
    }
}
