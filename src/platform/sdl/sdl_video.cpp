// The SDL back end's screen: the game composes a 640x480 paletted picture
// each frame and we scale it onto the window with the renderer. The
// monitor's own mode is never changed; full screen is the desktop
// resolution with the picture letterboxed.
#include <cstdio>

#include "platform/sdl/frame_layout.h"
#include "platform/sdl/sdl_backend_impl.h"

namespace {
constexpr int fullScreenMode = 2;
}

bool SdlBackend::displayStep(DisplayStep step, int displayMode) {
    switch (step) {
    case DisplayStep::CreateDevice:
        return SDL_WasInit(SDL_INIT_VIDEO) || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    case DisplayStep::SetCooperativeLevel:
        return applyDisplayMode(displayMode);
    case DisplayStep::CreatePrimary:
        return createRenderer();
    default:
        // Mode, clipper, back buffer, palette, sheets and colour key have
        // no counterpart here: the renderer and the game's own sheets
        // cover them.
        return true;
    }
}

bool SdlBackend::applyDisplayMode(int displayMode) {
    if (!window_) return false;
    const bool toFullScreen = displayMode == fullScreenMode;
    const bool wasFullScreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
    if (toFullScreen && !wasFullScreen) {
        SDL_GetWindowPosition(window_, &windowedPlace_.x, &windowedPlace_.y);
        SDL_GetWindowSize(window_, &windowedPlace_.w, &windowedPlace_.h);
        movedForFullScreen_ = coverDisplay();
    }
    if (SDL_SetWindowFullscreen(window_, toFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "Cannot switch the display mode: %s\n", SDL_GetError());
        return false;
    }
    // SDL rebuilds the window when a renderer needs another kind, putting
    // it where it thinks the window belongs out of full screen; make that
    // the place we covered, too.
    if (toFullScreen && movedForFullScreen_) coverDisplay();
    if (!toFullScreen && wasFullScreen) {
        SDL_SetWindowSize(window_, windowedPlace_.w, windowedPlace_.h);
        if (movedForFullScreen_) SDL_SetWindowPosition(window_, windowedPlace_.x, windowedPlace_.y);
        movedForFullScreen_ = false;
    }
    return true;
}

bool SdlBackend::coverDisplay() {
    // Full screen on X is a request to the window manager. With none
    // running (a bare X server) nothing would resize the window while SDL
    // already drew as if it had, so we cover the display ourselves. A
    // window with a frame has a manager, which does this better and
    // remembers where the window was; moving it here would only make it
    // creep by the frame's size on every switch.
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) == 0 &&
        (top | left | bottom | right) != 0)
        return false;
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &bounds) != 0) return false;
    SDL_SetWindowPosition(window_, bounds.x, bounds.y);
    SDL_SetWindowSize(window_, bounds.w, bounds.h);
    return true;
}

bool SdlBackend::createRenderer() {
    releaseDisplay();
    if (!window_) return false;
    // No vsync: the game paces its frames itself, and a 50 Hz or 144 Hz
    // monitor must not change its speed.
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        std::fprintf(stderr, "Cannot create a renderer: %s\n", SDL_GetError());
        return false;
    }
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 screenWidth, screenHeight);
    if (!texture_) {
        std::fprintf(stderr, "Cannot create the screen texture: %s\n", SDL_GetError());
        releaseDisplay();
        return false;
    }
    // Pixel art stays crisp at any size.
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    deviceLost_ = false;
    return true;
}

void SdlBackend::restorePrimary() {
    if (deviceLost_ && window_) createRenderer();
}

void SdlBackend::windowSizeChanged() {
    // Nothing is sized to the window yet: present() measures the output
    // every frame, and the windowed place is taken on entering full
    // screen. Anything that must follow the window's size belongs here.
}

void SdlBackend::present(const uint8_t* pixels, const PaletteEntry palette[256], int displayMode) {
    if (!texture_ || deviceLost_) return;
    void* target = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &target, &pitch) != 0) return;
    expandPicture(pixels, palette, target, pitch);
    SDL_UnlockTexture(texture_);

    int outputWidth = 0;
    int outputHeight = 0;
    if (SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight) != 0) return;
    const PictureRect area = pictureRect(outputWidth, outputHeight, displayMode == fullScreenMode);
    const SDL_Rect destination{area.x, area.y, area.width, area.height};

    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &destination);
    SDL_RenderPresent(renderer_);
}

void SdlBackend::releaseDisplay() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
}

void SdlBackend::setClientSize(int width, int height) {
    if (!window_) return;
    // SDL sizes windows by their client area already.
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, 0, 0);
    windowSizeChanged();
}
