// What the SDL back end's present costs before SDL gets the picture: the
// 8-bit picture expanded through the palette into the texture's format.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/sdl/frame_layout.h"

namespace {

void expandWholePicture(benchmark::State& state) {
    std::vector<uint8_t> pixels(size_t(screenWidth) * screenHeight);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 7 + i / screenWidth);
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
    const int pitchBytes = screenWidth * 4;
    std::vector<uint32_t> texture(size_t(screenWidth) * screenHeight);
    for (auto _ : state) {
        expandPicture(pixels.data(), palette, texture.data(), pitchBytes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(pixels.size()));
    state.counters["pictures/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(expandWholePicture);

}  // namespace
