#include "platform/replay_screen.h"

ReplayScreenBackend::ReplayScreenBackend(std::unique_ptr<Backend> replay, std::unique_ptr<Backend> screen)
    : replay_(std::move(replay)), screen_(std::move(screen)) {}

bool ReplayScreenBackend::createWindow(const char* title, int x, int y, int width, int height) {
    const bool created = replay_->createWindow(title, x, y, width, height);
    // The recorded run may have failed here too; then there is nothing to
    // show, and the game ends as it did.
    if (created && !screen_->createWindow(title, x, y, width, height))
        throw ReplayClosed("cannot open a window to show the replay in", true);
    return created;
}

void ReplayScreenBackend::destroyWindow() {
    screen_->destroyWindow();
    replay_->destroyWindow();
}

void ReplayScreenBackend::setClientSize(int width, int height) {
    replay_->setClientSize(width, height);
    screen_->setClientSize(width, height);
}

void ReplayScreenBackend::startFrame() {
    replay_->startFrame();
    pumpScreen();
}

void ReplayScreenBackend::pumpScreen() {
    WindowMessage message;
    while (screen_->takeMessage(message)) {
        if (message.kind == MessageKind::Close || message.kind == MessageKind::Destroy)
            throw ReplayClosed("the replay's window was closed", false);
    }
}

uint32_t ReplayScreenBackend::clockMs() {
    const uint32_t reading = replay_->clockMs();
    // Each reading is held back until as much real time has passed since
    // the first as the recorded clock says, so frames, pauses and the time
    // a message box stood open all last as long as they did.
    const uint64_t now = screen_->clockMicros();
    if (!paceStarted_) {
        paceStarted_ = true;
        firstReading_ = reading;
        startedMicros_ = now;
        return reading;
    }
    const uint64_t due = startedMicros_ + uint64_t(reading - firstReading_) * 1000;
    for (uint64_t t = now; t < due; t = screen_->clockMicros()) {
        screen_->waitMs(uint32_t((due - t + 999) / 1000));
        pumpScreen();
    }
    return reading;
}

bool ReplayScreenBackend::displayStep(DisplayStep step, int displayMode) {
    const bool done = replay_->displayStep(step, displayMode);
    // A step that failed in the recorded run is left out on screen too; one
    // that fails only here leaves the window as it is.
    if (done) screen_->displayStep(step, displayMode);
    return done;
}

void ReplayScreenBackend::present(const uint8_t* pixels, const PaletteEntry palette[256], int displayMode) {
    replay_->present(pixels, palette, displayMode);
    screen_->present(pixels, palette, displayMode);
}

void ReplayScreenBackend::releaseDisplay() {
    screen_->releaseDisplay();
    replay_->releaseDisplay();
}

bool ReplayScreenBackend::openSoundDevice() {
    const bool opened = replay_->openSoundDevice();
    soundOpen_ = opened && screen_->openSoundDevice();
    return opened;
}

bool ReplayScreenBackend::loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) {
    if (soundOpen_) screen_->loadEffect(index, format, samples);
    return replay_->loadEffect(index, format, std::move(samples));
}

void ReplayScreenBackend::playEffect(int index) {
    replay_->playEffect(index);
    if (soundOpen_) screen_->playEffect(index);
}
