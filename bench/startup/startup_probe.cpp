// Preloaded into the game by scripts/startup-time: notes on the monotonic
// clock, in the file VARNHOLT_STARTUP_PROBE names, when the program's
// libraries are loaded, when its window and its sound device are open, when
// the first picture has reached the X server and when the music's soundfont
// has loaded. The game itself is not changed for it.
#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>

struct SDL_Window;
struct SDL_AudioSpec;
struct _fluid_synth_t;

namespace {

void note(const char* what) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char* path = std::getenv("VARNHOLT_STARTUP_PROBE");
    if (path == nullptr) return;
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s %lld\n", what, (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
        std::fclose(file);
    }
}

std::atomic<bool> pictureNoted{false};

// Runs once the program and its libraries are loaded, before main.
__attribute__((constructor)) void loaded() { note("libraries_loaded"); }

}  // namespace

extern "C" SDL_Window* SDL_CreateWindow(const char* title, int x, int y, int w, int h, unsigned flags) {
    using Real = SDL_Window* (*)(const char*, int, int, int, int, unsigned);
    static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "SDL_CreateWindow"));
    SDL_Window* window = real(title, x, y, w, h, flags);
    note("window_created");
    return window;
}

extern "C" unsigned SDL_OpenAudioDevice(const char* device, int capture, const SDL_AudioSpec* wanted,
                                        SDL_AudioSpec* obtained, int allowedChanges) {
    using Real = unsigned (*)(const char*, int, const SDL_AudioSpec*, SDL_AudioSpec*, int);
    static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "SDL_OpenAudioDevice"));
    const unsigned device_id = real(device, capture, wanted, obtained, allowedChanges);
    note("sound_opened");
    return device_id;
}

// SDL hands the window's picture to the X server and waits for it (XSync)
// before this returns.
extern "C" int SDL_UpdateWindowSurface(SDL_Window* window) {
    using Real = int (*)(SDL_Window*);
    static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface"));
    const int result = real(window);
    if (!pictureNoted.exchange(true)) note("first_picture");
    return result;
}

extern "C" int fluid_synth_sfload(_fluid_synth_t* synth, const char* path, int resetPresets) {
    using Real = int (*)(_fluid_synth_t*, const char*, int);
    static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "fluid_synth_sfload"));
    const int result = real(synth, path, resetPresets);
    note(result >= 0 ? "soundfont_loaded" : "soundfont_failed");
    return result;
}
