// The sound-effect reader on any bytes: it either refuses them or gives
// whole sample frames of a format the mixer takes.
#include <cstdlib>

#include "audio/wav_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::enterScratchFolder("wav_reader");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    varnholt::WaveSound sound;
    if (!varnholt::decodeWave(data, size, sound)) return 0;
    const SoundFormat& format = sound.format;
    if (format.blockAlign == 0 || sound.samples.size() % format.blockAlign != 0 ||
        sound.samples.size() > size) {
        std::abort();
    }
    return 0;
}
