// The SDL back end's window, message queue, clocks and dialogs. Input,
// video and audio live in their own files.
#include "platform/window_backend.h"

#include <climits>
#include <cstdio>
#include <ctime>
#include <chrono>
#include <thread>

#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_backend_impl.h"
#include "platform/sdl/sdl_keymap.h"

std::unique_ptr<Backend> makeSdlBackend() { return std::make_unique<SdlBackend>(); }
std::unique_ptr<Backend> makeWindowBackend() { return makeSdlBackend(); }

SdlBackend::~SdlBackend() {
    closeSoundDevice();
    releaseDisplay();
    if (watchingKeys_) SDL_DelEventWatch(watchKeys, this);
    if (controller_) SDL_GameControllerClose(controller_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

bool SdlBackend::createWindow(const char* title, int x, int y, int width, int height) {
    if (window_) return false;
    // Closing the window is the game's decision (it may ask to save), so
    // SDL must not turn it into a quit on its own as well.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "Cannot start the video system: %s\n", SDL_GetError());
        return false;
    }
    if (!watchingKeys_) {
        SDL_AddEventWatch(watchKeys, this);
        watchingKeys_ = true;
    }
    // A machine without controller support still plays from the keyboard.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        std::fprintf(stderr, "No game controller support: %s\n", SDL_GetError());

    // The game's callers may leave the placement to the system with the
    // "use default" coordinate.
    const int left = x == INT_MIN ? int(SDL_WINDOWPOS_UNDEFINED) : x;
    const int top = y == INT_MIN ? int(SDL_WINDOWPOS_UNDEFINED) : y;
    window_ = SDL_CreateWindow(title, left, top, width, height, SDL_WINDOW_RESIZABLE);
    if (!window_) {
        std::fprintf(stderr, "Cannot create the window: %s\n", SDL_GetError());
        return false;
    }
    // The game reads keys, not text; without this some systems pop up an
    // input-method window.
    SDL_StopTextInput();
    openFirstController();

    // Under a bare X server with no window manager focus events may never
    // come, and the game pauses until it is told it is active.
    postMessage({MessageKind::ActivateApp, 1});
    return true;
}

bool SdlBackend::takeMessage(WindowMessage& message) {
    if (!posted_.empty()) {
        message = posted_.front();
        posted_.pop_front();
        return true;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (translateEvent(event, message)) return true;
    return false;
}

bool SdlBackend::translateEvent(const SDL_Event& event, WindowMessage& message) {
    switch (event.type) {
    case SDL_QUIT:
        message = {MessageKind::Close, 0};
        return true;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            message = {MessageKind::Close, 0};
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            message = {MessageKind::ActivateApp, 1};
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // Taps meant for this window must not act when it comes back.
            keyLatch_.forget();
            message = {MessageKind::ActivateApp, 0};
            return true;
        default:
            return false;
        }
    case SDL_KEYDOWN: {
        // Auto-repeat is wanted: menus scroll while a key is held. The
        // repeats say so, for the commands that act once per press.
        const int code = virtualKeyFromScancode(event.key.keysym.scancode);
        if (code == 0) return false;
        message = {MessageKind::KeyDown, code, event.key.repeat != 0};
        return true;
    }
    case SDL_CONTROLLERDEVICEADDED:
        controllerAdded(event.cdevice.which);
        return false;
    case SDL_CONTROLLERDEVICEREMOVED:
        controllerRemoved(event.cdevice.which);
        return false;
    default:
        return false;
    }
}

void SdlBackend::waitMessage() {
    // Without a window no event can ever come to end the wait.
    if (!posted_.empty() || !window_) return;
    SDL_WaitEvent(nullptr);
}

void SdlBackend::postMessage(const WindowMessage& message) { posted_.push_back(message); }

void SdlBackend::destroyWindow() {
    if (!window_) return;
    // Our own surfaces go before the window they were made for.
    releaseDisplay();
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    postMessage({MessageKind::Destroy, 0});
}

uint32_t SdlBackend::clockMs() { return SDL_GetTicks(); }

void SdlBackend::waitMs(uint32_t ms) {
    const uint32_t start = SDL_GetTicks();
    // Sleeping the whole time may overshoot by a scheduler tick and lose
    // frames; sleep all but the last millisecond, then finish in short naps
    // that cost next to nothing and overshoot by a fraction of a millisecond.
    if (ms >= 2) SDL_Delay(ms - 1);
    while (SDL_GetTicks() - start < ms) std::this_thread::sleep_for(std::chrono::microseconds(100));
}

int64_t SdlBackend::calendarSeconds() { return int64_t(std::time(nullptr)); }

uint64_t SdlBackend::clockMicros() {
    const uint64_t counter = SDL_GetPerformanceCounter();
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    // Split so that the product cannot overflow for any counter.
    return counter / frequency * 1000000 + counter % frequency * 1000000 / frequency;
}

int SdlBackend::messageBox(const std::string& caption, const std::string& text, BoxIcon icon) {
    const Uint32 flags = icon == BoxIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), window_) != 0) {
        // Nobody saw it, so nobody said OK: the text goes to the terminal
        // and whatever the box guards is left undone.
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return messageBoxNotShown;
    }
    // Keys let go while the box had the focus never sent us their release;
    // forget them all and let the system re-report those still held.
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_ResetKeyboard();
        SDL_PumpEvents();
    }
    return messageBoxOk;
}

void SdlBackend::debugOutput(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
}
