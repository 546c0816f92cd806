// What the SDL back end's present costs before SDL gets the picture: the
// 8-bit picture expanded through the palette into the window's format, at
// its own size and scaled for a 1280x720 full screen.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/sdl/frame_layout.h"

namespace {

void expandInto(benchmark::State& state, int outputWidth, int outputHeight, bool keepAspect) {
    std::vector<uint8_t> pixels(size_t(screenWidth) * screenHeight);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 7 + i / screenWidth);
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
    const int pitchBytes = outputWidth * 4;
    std::vector<uint32_t> window(size_t(outputWidth) * outputHeight);
    const PictureRect area = pictureRect(outputWidth, outputHeight, keepAspect);
    for (auto _ : state) {
        expandPictureInto(pixels.data(), palette, window.data(), pitchBytes, area);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(area.width) * area.height);
    state.counters["pictures/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void expandWholePicture(benchmark::State& state) { expandInto(state, screenWidth, screenHeight, false); }
BENCHMARK(expandWholePicture);

void expandForFullScreen1280x720(benchmark::State& state) { expandInto(state, 1280, 720, true); }
BENCHMARK(expandForFullScreen1280x720);

}  // namespace
