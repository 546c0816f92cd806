// The browser back end's messages, clocks and dialogs. The page (web/page.js)
// keeps the queue of what happened on it — keys, the tab hidden or shown —
// and answers message boxes with a dialog of its own.
#include "platform/web/web_backend.h"

#include <emscripten.h>

#include <cstdio>
#include <ctime>

#include "platform/files.h"
#include "platform/window_backend.h"

namespace {

// Each message is three numbers in the page's queue: kind, parameter, and
// for a key whether it is the keyboard's auto-repeat.
EM_JS(int, pageTakeMessage, (int32_t* kind, int32_t* param, int32_t* repeat), {
    const message = Module.page.takeMessage();
    if (!message) return 0;
    HEAP32[kind >> 2] = message[0];
    HEAP32[param >> 2] = message[1];
    HEAP32[repeat >> 2] = message[2] ? 1 : 0;
    return 1;
});

EM_JS(void, pagePostMessage, (int kind, int param, int repeat), {
    Module.page.postMessage(kind, param, repeat !== 0);
});

// Sleeps until the page queues a message; the browser runs meanwhile.
EM_JS(void, pageWaitMessage, (), {
    return Asyncify.handleSleep(wakeUp => Module.page.whenMessage(wakeUp));
});

EM_JS(void, pageSetClientSize, (int width, int height), { Module.page.setClientSize(width, height); });

// Shows the page's modal dialog, with the error sign when `error` is
// non-zero, and sleeps until the player answers it; answers 0 when the
// page could not show it.
EM_JS(int, pageMessageBox, (const char* caption, const char* text, int error), {
    return Asyncify.handleSleep(wakeUp => {
        Module.page.messageBox(UTF8ToString(caption), UTF8ToString(text), error !== 0, shown => wakeUp(shown ? 1 : 0));
    });
});

// Carries a replaced file to the browser's database and sleeps until it is
// stored; answers 0 when the browser refused it.
EM_JS(int, pageKeepFile, (const char* path), {
    const name = UTF8ToString(path);
    return Asyncify.handleSleep(wakeUp => Module.page.keepFile(name, stored => wakeUp(stored ? 1 : 0)));
});

bool keepFile(const std::string& path) { return pageKeepFile(path.c_str()) != 0; }

}  // namespace

std::unique_ptr<Backend> makeWindowBackend() { return std::make_unique<WebBackend>(); }

WebBackend::WebBackend() { setFileKeeper(keepFile); }

WebBackend::~WebBackend() {
    closeSound();
    setFileKeeper(nullptr);
}

bool WebBackend::createWindow(const char*, int, int, int, int) {
    // A page that is shown is the active application; one opened in the
    // background says so when it is shown.
    if (!EM_ASM_INT({ return document.hidden ? 0 : 1; })) return true;
    postMessage({MessageKind::ActivateApp, 1});
    return true;
}

bool WebBackend::takeMessage(WindowMessage& message) {
    int32_t kind = 0, param = 0, repeat = 0;
    if (!pageTakeMessage(&kind, &param, &repeat)) return false;
    message = {static_cast<MessageKind>(kind), param, repeat != 0};
    // Taps meant for the page must not act when it comes back.
    if (message.kind == MessageKind::ActivateApp && param == 0) keyLatch_.forget();
    return true;
}

void WebBackend::waitMessage() { pageWaitMessage(); }

void WebBackend::postMessage(const WindowMessage& message) {
    pagePostMessage(static_cast<int>(message.kind), message.param, message.repeat ? 1 : 0);
}

void WebBackend::destroyWindow() {
    // The canvas stays on the page with the last picture; only the game's
    // messages learn that the window is gone.
    postMessage({MessageKind::Destroy, 0});
}

void WebBackend::setClientSize(int width, int height) { pageSetClientSize(width, height); }

uint32_t WebBackend::clockMs() { return uint32_t(uint64_t(emscripten_get_now())); }

void WebBackend::waitMs(uint32_t ms) {
    // The browser's timers are late by a millisecond or more, never early;
    // the frame driver waits again for what is left.
    emscripten_sleep(ms);
}

int64_t WebBackend::calendarSeconds() { return int64_t(std::time(nullptr)); }

uint64_t WebBackend::clockMicros() { return uint64_t(emscripten_get_now() * 1000.0); }

int WebBackend::messageBox(const std::string& caption, const std::string& text, BoxIcon icon) {
    return pageMessageBox(caption.c_str(), text.c_str(), icon == BoxIcon::Error ? 1 : 0) != 0 ? messageBoxOk
                                                                                               : messageBoxNotShown;
}

void WebBackend::debugOutput(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
}
