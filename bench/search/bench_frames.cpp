#include "bench/search/bench_frames.h"

#include <random>
#include <utility>

namespace {
BenchFrames* served = nullptr;

YcPixel* ZEPHO_CDECL FrameImage(EditHandle, std::int32_t number, std::int32_t offset) {
    return served->frames[(number + offset) % kBenchFrames].data();
}
std::int32_t ZEPHO_CDECL CurrentFrame(EditHandle) { return 0; }
}  // namespace

BenchFrames& FramesOfSize(std::int32_t width, std::int32_t height) {
    static BenchFrames sets[2];
    BenchFrames& set = sets[width > 1000];
    if (set.frames.empty()) {
        set.width = width;
        set.height = height;
        std::mt19937 random(1);
        std::uniform_int_distribution<int> noise(-200, 200);
        for (std::int32_t f = 0; f < kBenchFrames; ++f) {
            std::vector<YcPixel> frame(std::size_t(width) * height);
            for (std::size_t i = 0; i < frame.size(); ++i) {
                const int column = static_cast<int>(i % width);
                frame[i] = {static_cast<std::int16_t>(2000 + (column % 7) * 150 + noise(random)), 0, 0};
            }
            set.frames.push_back(std::move(frame));
        }
    }
    return set;
}

const HostServiceTable* ServeFrames(BenchFrames& frames) {
    static HostServiceTable table{};
    table.frame_image = FrameImage;
    table.current_frame = CurrentFrame;
    served = &frames;
    return &table;
}
