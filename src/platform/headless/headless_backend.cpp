#include "platform/headless/headless_backend.h"

#include <algorithm>

#include "platform/headless/png_writer.h"

HeadlessBackend::HeadlessBackend(HeadlessOptions options)
    : options_(std::move(options)), clock_(options_.clockStart) {
    if (options_.replay) options_.replay->attachMusic(midi_);
}

bool HeadlessBackend::createWindow(const char*, int, int, int, int) {
    // The recorded window told of its activation among its messages.
    if (options_.replay) return options_.replay->answer(AnsweredCall::CreateWindow, true);
    // Nobody is there to click the window: it is active from the start.
    postMessage({MessageKind::ActivateApp, 1});
    return true;
}

bool HeadlessBackend::takeMessage(WindowMessage& message) {
    if (options_.replay) return options_.replay->takeMessage(queue_, message);
    if (queue_.empty()) return false;
    message = queue_.front();
    queue_.erase(queue_.begin());
    return true;
}

void HeadlessBackend::waitMessage() {
    if (options_.replay) return options_.replay->waitMessage();
    // Nothing ever arrives from outside; an inactive game would sleep for
    // ever, so the run ends instead.
    if (queue_.empty()) queue_.push_back({MessageKind::Quit, 0});
}

void HeadlessBackend::postMessage(const WindowMessage& message) { queue_.push_back(message); }

void HeadlessBackend::destroyWindow() { postMessage({MessageKind::Destroy, 0}); }

void HeadlessBackend::setClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
}

const ScriptedInput* HeadlessBackend::currentInput() const {
    if (options_.liveInput) return frame_ == 0 ? nullptr : &live_;
    return inputAtFrame(options_.script, frame_);
}

void HeadlessBackend::startFrame() {
    if (options_.replay) {
        // Keys going down reach the window among the recorded messages.
        ++frame_;
        options_.replay->startFrame();
        return;
    }
    const ScriptedInput* before = currentInput();
    const ScriptedInput* now;
    if (options_.liveInput) {
        livePrevious_ = live_;
        if (before != nullptr) before = &livePrevious_;
        ++frame_;
        live_ = options_.liveInput(frame_);
        now = &live_;
    } else {
        ++frame_;
        now = currentInput();
    }
    if (now == nullptr || now == before) return;
    // A key that goes down also reaches the window as a key-down message,
    // taken before the next frame.
    for (int key : now->keys) {
        const bool wasDown = before != nullptr && std::find(before->keys.begin(), before->keys.end(),
                                                            key) != before->keys.end();
        if (!wasDown) postMessage({MessageKind::KeyDown, key});
    }
}

void HeadlessBackend::readKeyboard(uint8_t state[256]) {
    if (options_.replay) return options_.replay->readKeyboard(state);
    for (int i = 0; i < 256; ++i) state[i] = 0;
    if (const ScriptedInput* line = currentInput()) {
        for (int key : line->keys) state[key] = keyDownBit;
    }
}

uint32_t HeadlessBackend::queryJoystick(JoyInfo& info) {
    if (options_.replay) return options_.replay->queryJoystick(info);
    if (!options_.joystickPresent) return joyUnplugged;
    const ScriptedInput* line = currentInput();
    ScriptedInput centred;
    if (line == nullptr) line = &centred;
    info.x = line->joyX;
    info.y = line->joyY;
    info.buttons = line->joyButtons;
    return joyNoError;
}

int64_t HeadlessBackend::calendarSeconds() {
    if (options_.replay) return options_.replay->calendarSeconds();
    return options_.calendarStart + static_cast<uint32_t>(clock_ - options_.clockStart) / 1000;
}

int HeadlessBackend::messageBox(const std::string& caption, const std::string& text, BoxIcon icon) {
    if (options_.replay) {
        const int answer = options_.replay->messageBox();
        if (answer == messageBoxOk) events_.push_back({frame_, RecordedKind::Message, caption, text, icon});
        return answer;
    }
    if (options_.boxesFail) return messageBoxNotShown;
    events_.push_back({frame_, RecordedKind::Message, caption, text, icon});
    return messageBoxOk;
}

void HeadlessBackend::debugOutput(const std::string& text) {
    events_.push_back({frame_, RecordedKind::Debug, {}, text});
}

bool HeadlessBackend::displayStep(DisplayStep step, int) {
    if (options_.replay) return options_.replay->answer(AnsweredCall::DisplayStep, true);
    return !(options_.failingStep && *options_.failingStep == step);
}

bool HeadlessBackend::primaryLost() {
    return options_.replay && options_.replay->answer(AnsweredCall::PrimaryLost, false);
}

bool HeadlessBackend::paletteDevice() {
    return !options_.replay || options_.replay->answer(AnsweredCall::PaletteDevice, true);
}

// AddressSanitizer would copy the picture a byte at a time here, which is
// most of a sanitized frame; the copy's bounds are the picture's own.
#if defined(__GNUC__)
__attribute__((no_sanitize("address")))
#endif
void HeadlessBackend::present(const uint8_t* pixels, const PaletteEntry palette[256], int) {
    ++presents_;
    lastPixels_.assign(pixels, pixels + screenWidth * screenHeight);
    std::copy(palette, palette + 256, lastPalette_);
    auto wanted = options_.screenshots.find(frame_);
    if (wanted != options_.screenshots.end()) {
        screenshotsWritten_[frame_] =
            writePng(wanted->second, lastPicture().data(), screenWidth, screenHeight);
    }
}

std::vector<uint8_t> HeadlessBackend::lastPicture() const {
    std::vector<uint8_t> rgb(lastPixels_.size() * 3);
    for (size_t i = 0; i < lastPixels_.size(); ++i) {
        const PaletteEntry& colour = lastPalette_[lastPixels_[i]];
        rgb[3 * i] = colour.red;
        rgb[3 * i + 1] = colour.green;
        rgb[3 * i + 2] = colour.blue;
    }
    return rgb;
}

std::vector<std::string> HeadlessBackend::screenshotProblems() const {
    std::vector<std::string> problems;
    for (const auto& [frame, path] : options_.screenshots) {
        auto taken = screenshotsWritten_.find(frame);
        if (taken == screenshotsWritten_.end()) {
            problems.push_back("no screenshot '" + path + "': frame " + std::to_string(frame) +
                               " never presented a picture");
        } else if (!taken->second) {
            problems.push_back("cannot write the screenshot '" + path + "'");
        }
    }
    return problems;
}

bool HeadlessBackend::openSoundDevice() {
    // A new device starts without effects, as a real one does.
    for (bool& loaded : effectLoaded_) loaded = false;
    return !options_.replay || options_.replay->answer(AnsweredCall::OpenSoundDevice, true);
}

bool HeadlessBackend::loadEffect(int index, const SoundFormat&, std::vector<uint8_t>) {
    const bool loaded = options_.replay ? options_.replay->answer(AnsweredCall::LoadEffect, true) : true;
    if (index < 0 || index >= 7) return false;
    effectLoaded_[index] = loaded;
    return loaded;
}

void HeadlessBackend::playEffect(int index) {
    if (index < 0 || index >= 7 || !effectLoaded_[index]) return;
    RecordedEvent event{frame_, RecordedKind::Sound, {}, {}};
    event.effect = index;
    events_.push_back(event);
}

void HeadlessBackend::waitMs(uint32_t ms) {
    if (options_.replay) return options_.replay->waitMs();
    clock_ += ms;
    midi_.advance(ms * 1000.0, midiLog_);
    midi_.deliverNotices();
}

void HeadlessBackend::recordMusic(const char* action, const std::string& file, int block) {
    RecordedEvent event{frame_, RecordedKind::Music, {}, file};
    event.effect = block;
    event.action = action;
    events_.push_back(event);
}
