// The SDL back end's sound-effect device. The mixing itself is done by
// SoundMixer; this file only owns the device and guards the mixer, which
// the audio thread reads while the game thread loads and starts effects.
#include <algorithm>
#include <cstdio>

#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_backend_impl.h"

namespace {

constexpr int deviceRate = 44100;
// About 12 ms at 44.1 kHz: short enough that a sword hit sounds with its
// frame, long enough not to crackle on a busy machine.
constexpr Uint16 deviceBufferFrames = 512;

void fillAudio(void* userdata, Uint8* stream, int len) {
    // SDL holds the device lock around this call.
    static_cast<SdlBackend*>(userdata)->renderAudio(reinterpret_cast<int16_t*>(stream), size_t(len) / 4);
}

}  // namespace

bool SdlBackend::openSoundDevice() {
    if (audioDevice_) {
        // The game re-initialises sound after every display switch; the
        // device carries on, only the effects are loaded anew.
        SDL_LockAudioDevice(audioDevice_);
        mixer_.clear();
        SDL_UnlockAudioDevice(audioDevice_);
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "No sound: %s\n", SDL_GetError());
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = deviceRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = deviceBufferFrames;
    wanted.callback = fillAudio;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // Only the rate may differ: SDL converts anything else for us, and the
    // effects are resampled to the rate we get when they are loaded.
    audioDevice_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!audioDevice_) {
        std::fprintf(stderr, "No sound device: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    audioRate_ = uint32_t(obtained.freq);
    mixer_.clear();
    startSynth();
    SDL_PauseAudioDevice(audioDevice_, 0);
    return true;
}

void SdlBackend::closeSoundDevice() {
    if (!audioDevice_) return;
    SDL_CloseAudioDevice(audioDevice_);
    audioDevice_ = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlBackend::loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) {
    if (!audioDevice_ || index < 0 || index >= soundEffectSlots) return false;
    // Convert outside the lock so the audio thread never waits on it.
    auto converted = convertEffect(format, samples.data(), samples.size(), audioRate_);
    SDL_LockAudioDevice(audioDevice_);
    // A file we cannot play empties its slot rather than leave the old
    // effect behind.
    mixer_.setEffect(index, converted ? std::move(*converted) : std::vector<int16_t>{});
    SDL_UnlockAudioDevice(audioDevice_);
    return converted.has_value();
}

void SdlBackend::playEffect(int index) {
    if (!audioDevice_) return;
    SDL_LockAudioDevice(audioDevice_);
    mixer_.play(index);
    SDL_UnlockAudioDevice(audioDevice_);
}

void SdlBackend::renderAudio(int16_t* out, size_t frames) {
    // The effects and the music are summed wide and limited once, so the
    // mix bends below full scale instead of clipping.
    int32_t sum[deviceBufferFrames * 2];
    for (size_t done = 0; done < frames;) {
        const size_t count = std::min<size_t>(deviceBufferFrames, frames - done);
        std::fill(sum, sum + count * 2, 0);
        mixer_.addTo(sum, count);
        renderMusic(sum, count);
        for (size_t k = 0; k < count * 2; ++k) out[done * 2 + k] = softLimit(sum[k]);
        done += count;
    }
}

size_t SdlBackend::takeOverAudio() {
    if (!audioDevice_) return 0;
    // A paused device fills its buffers with silence and never calls back.
    SDL_PauseAudioDevice(audioDevice_, 1);
    waitForSoundfont();
    return deviceBufferFrames;
}

void SdlBackend::renderAudioLocked(int16_t* out, size_t frames) {
    if (!audioDevice_) return;
    SDL_LockAudioDevice(audioDevice_);
    renderAudio(out, frames);
    SDL_UnlockAudioDevice(audioDevice_);
}

size_t takeOverSdlAudio(Backend& backend) {
    auto* sdl = dynamic_cast<SdlBackend*>(&backend);
    return sdl ? sdl->takeOverAudio() : 0;
}

void renderSdlAudio(Backend& backend, int16_t* out, size_t frames) {
    if (auto* sdl = dynamic_cast<SdlBackend*>(&backend)) sdl->renderAudioLocked(out, frames);
}
