// The SDL back end's screen: the game composes a 640x480 paletted picture
// each frame and we expand and scale it into the window's surface. The
// monitor's own mode is never changed; full screen is the desktop
// resolution with the picture letterboxed.
#include <cstdio>
#include <cstring>

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
        return createScreen();
    default:
        // Mode, clipper, back buffer, palette, sheets and colour key have
        // no counterpart here: the window's surface and the game's own
        // sheets cover them.
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
    // SDL may rebuild the window on the switch, putting it where it
    // thinks the window belongs out of full screen; make that the place
    // we covered, too.
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

bool SdlBackend::createScreen() {
    releaseDisplay();
    if (!window_) return false;
    // On X the window's own surface reaches the server through shared
    // memory. Left to itself SDL would put a GL texture behind it instead,
    // which on a machine without a graphics card is GL emulated on the
    // processor at several milliseconds a frame. Elsewhere (Wayland has no
    // surface of its own) SDL's choice stands, as does the player's.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!SDL_GetWindowSurface(window_)) {
        std::fprintf(stderr, "Cannot draw on the window: %s\n", SDL_GetError());
        return false;
    }
    deviceLost_ = false;
    return true;
}

void SdlBackend::restorePrimary() {
    if (deviceLost_ && window_) createScreen();
}

namespace {

// Blackens what the picture leaves of the window, in full screen.
void fillBars(SDL_Surface* surface, const PictureRect& area) {
    const int right = area.x + area.width;
    const int bottom = area.y + area.height;
    const SDL_Rect bars[4] = {{0, 0, surface->w, area.y},
                              {0, bottom, surface->w, surface->h - bottom},
                              {0, area.y, area.x, area.height},
                              {right, area.y, surface->w - right, area.height}};
    const Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
    for (const SDL_Rect& bar : bars)
        if (bar.w > 0 && bar.h > 0) SDL_FillRect(surface, &bar, black);
}

}  // namespace

void SdlBackend::present(const uint8_t* pixels, const PaletteEntry palette[256], int displayMode) {
    if (!window_ || deviceLost_) return;
    // The picture goes straight into the window's own memory, which SDL
    // hands to the X server through shared memory where it can: no GPU
    // or GL emulation is involved, so a frame costs us the expansion and
    // little else. SDL replaces that surface when the window is resized,
    // so it is asked for every frame.
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) {
        deviceLost_ = true;
        return;
    }
    const PictureRect area = pictureRect(surface->w, surface->h, displayMode == fullScreenMode);
    fillBars(surface, area);
    const Uint32 format = surface->format->format;
    if (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) {
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
        expandPictureInto(pixels, palette, surface->pixels, surface->pitch, area);
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    } else {
        // A screen of another depth or order: SDL converts and scales
        // from a picture of our own format.
        if (!staging_)
            staging_ = SDL_CreateRGBSurfaceWithFormat(0, screenWidth, screenHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        if (!staging_) return;
        expandPicture(pixels, palette, staging_->pixels, staging_->pitch);
        SDL_Rect destination{area.x, area.y, area.width, area.height};
        SDL_BlitScaled(staging_, nullptr, surface, &destination);
    }
    SDL_UpdateWindowSurface(window_);
}

void SdlBackend::releaseDisplay() {
    if (staging_) SDL_FreeSurface(staging_);
    staging_ = nullptr;
}

void SdlBackend::setClientSize(int width, int height) {
    if (!window_) return;
    // SDL sizes windows by their client area already.
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, 0, 0);
}
