#include "app/frame_stats.h"

#include <cinttypes>
#include <cstdio>
#include <vector>

#include "app/frame_driver.h"
#include "platform/platform.h"

namespace varnholt {

namespace {

struct FrameTimes {
    uint32_t frame;
    uint32_t clockMs;
    uint64_t releasedUs;
    uint64_t workDoneUs;
    uint64_t presentedUs;
};

bool keeping = false;
std::vector<FrameTimes> frames;

}  // namespace

void keepFrameStats() {
    keeping = true;
    frames.clear();
    // An hour of frames, so that the list does not move while measuring.
    frames.reserve(225000);
}

void frameReleased() {
    if (!keeping) return;
    frames.push_back({framesRun, lastFrameTime, platform().clockMicros(), 0, 0});
}

void frameWorkDone() {
    if (keeping && !frames.empty()) frames.back().workDoneUs = platform().clockMicros();
}

void framePresented() {
    if (keeping && !frames.empty()) frames.back().presentedUs = platform().clockMicros();
}

bool writeFrameStats(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return false;
    std::fputs("# frame clock_ms released_us work_us present_us\n", file);
    const uint64_t start = frames.empty() ? 0 : frames.front().releasedUs;
    for (const FrameTimes& f : frames) {
        std::fprintf(file, "%" PRIu32 " %" PRIu32 " %" PRIu64 " %" PRIu64 " %" PRIu64 "\n", f.frame,
                     f.clockMs, f.releasedUs - start, f.workDoneUs - f.releasedUs,
                     f.presentedUs - f.workDoneUs);
    }
    return std::fclose(file) == 0;
}

}  // namespace varnholt
