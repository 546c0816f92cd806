#include "platform/recording_backend.h"

#include <algorithm>

namespace {

// How often the file is brought up to date: once a second of play.
constexpr uint32_t framesBetweenWrites = 60;

bool sameMessage(const WindowMessage& a, const WindowMessage& b) {
    return a.kind == b.kind && a.param == b.param;
}

}  // namespace

RecordingBackend::RecordingBackend(std::unique_ptr<Backend> inner, const std::string& path)
    : inner_(std::move(inner)), file_(std::fopen(path.c_str(), "wb")) {
    std::lock_guard<std::mutex> guard(lock_);
    line(std::string(recordingMagic) + " " + std::to_string(recordingVersion));
    writeOut();
}

RecordingBackend::~RecordingBackend() {
    // The wrapped back end goes first: its music thread may still report.
    inner_.reset();
    std::lock_guard<std::mutex> guard(lock_);
    endFrameLines();
    writeOut();
    if (file_ != nullptr) std::fclose(file_);
}

void RecordingBackend::line(const std::string& text) {
    pending_ += text;
    pending_ += '\n';
}

void RecordingBackend::writeOut() {
    if (file_ == nullptr || pending_.empty()) return;
    if (std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size() || std::fflush(file_) != 0) {
        writeFailed_ = true;
    }
    pending_.clear();
}

// The clock and the calendar are read several times a frame: their
// readings go on one line each when the frame is over.
void RecordingBackend::endFrameLines() {
    auto readingsLine = [this](const char* kind, auto& readings) {
        if (readings.empty()) return;
        std::string text = std::to_string(frame_) + " " + kind;
        for (auto reading : readings) text += " " + std::to_string(reading);
        line(text);
        readings.clear();
    };
    readingsLine("clock", clockReadings_);
    readingsLine("calendar", calendarReadings_);
}

uint32_t RecordingBackend::beginStep() { return ++steps_; }

void RecordingBackend::takeStep() {
    std::lock_guard<std::mutex> guard(lock_);
    beginStep();
}

uint32_t RecordingBackend::takeReading() {
    std::lock_guard<std::mutex> guard(lock_);
    beginStep();
    return ++readings_;
}

void RecordingBackend::noteAtStart(const std::string& text) {
    std::lock_guard<std::mutex> guard(lock_);
    line("0 " + text);
}

uint64_t RecordingBackend::noticesSoFar() {
    std::lock_guard<std::mutex> guard(lock_);
    return notices_;
}

bool RecordingBackend::markFinalState(uint64_t noticesBefore) {
    std::lock_guard<std::mutex> guard(lock_);
    if (notices_ != noticesBefore) return false;
    line(std::to_string(frame_) + " dump " + std::to_string(beginStep()));
    return true;
}

bool RecordingBackend::finish() {
    std::lock_guard<std::mutex> guard(lock_);
    endFrameLines();
    line(std::to_string(frame_) + " end");
    writeOut();
    return file_ != nullptr && !writeFailed_;
}

void RecordingBackend::startFrame() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        endFrameLines();
        if (frame_ % framesBetweenWrites == 0) writeOut();
        ++frame_;
        steps_ = 0;
        readings_ = 0;
        std::fill(std::begin(answered_), std::end(answered_), 0);
        beginStep();
    }
    inner_->startFrame();
}

bool RecordingBackend::createWindow(const char* title, int x, int y, int width, int height) {
    return answer(AnsweredCall::CreateWindow, inner_->createWindow(title, x, y, width, height), true);
}

bool RecordingBackend::takeMessage(WindowMessage& message) {
    takeStep();
    const bool taken = inner_->takeMessage(message);
    if (!taken) return false;
    std::lock_guard<std::mutex> guard(lock_);
    // What the game posted itself comes back to it: that is no news.
    if (!posted_.empty() && sameMessage(posted_.front(), message)) {
        posted_.pop_front();
    } else {
        line(std::to_string(frame_) + " message " + messageKindName(message.kind) + " " +
             std::to_string(message.param) + (message.repeat ? " repeat" : ""));
    }
    return true;
}

void RecordingBackend::waitMessage() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        beginStep();
        // The replay must wait where this run did: the steps go on counting
        // while the game waits, and the music goes on playing.
        line(std::to_string(frame_) + " wait");
    }
    inner_->waitMessage();
}

void RecordingBackend::postMessage(const WindowMessage& message) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        posted_.push_back(message);
    }
    inner_->postMessage(message);
}

void RecordingBackend::destroyWindow() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        posted_.push_back({MessageKind::Destroy, 0});
    }
    inner_->destroyWindow();
}

void RecordingBackend::heldChanged(uint32_t reading) {
    std::string text = std::to_string(frame_);
    if (reading > 1) text += " at " + std::to_string(reading);
    for (int key : heldKeys_) text += " " + inputKeyToken(key);
    if (joystickPlugged_) {
        text += " joy=" + std::to_string(joyX_) + "," + std::to_string(joyY_) + "," + std::to_string(joyButtons_);
    }
    line(text);
}

void RecordingBackend::readKeyboard(uint8_t state[256]) {
    const uint32_t reading = takeReading();
    inner_->readKeyboard(state);
    std::vector<int> keys;
    for (int key = 1; key < 256; ++key) {
        if (state[key] != 0) keys.push_back(key);
    }
    std::lock_guard<std::mutex> guard(lock_);
    if (keys != heldKeys_) {
        heldKeys_ = std::move(keys);
        heldChanged(reading);
    }
}

uint32_t RecordingBackend::queryJoystick(JoyInfo& info) {
    const uint32_t reading = takeReading();
    const uint32_t result = inner_->queryJoystick(info);
    const bool plugged = result == joyNoError;
    std::lock_guard<std::mutex> guard(lock_);
    if (plugged != joystickPlugged_ ||
        (plugged && (info.x != joyX_ || info.y != joyY_ || info.buttons != joyButtons_))) {
        joystickPlugged_ = plugged;
        if (plugged) {
            joyX_ = info.x;
            joyY_ = info.y;
            joyButtons_ = info.buttons;
        }
        heldChanged(reading);
    }
    return plugged ? joyNoError : joyUnplugged;
}

uint32_t RecordingBackend::clockMs() {
    takeStep();
    const uint32_t now = inner_->clockMs();
    std::lock_guard<std::mutex> guard(lock_);
    clockReadings_.push_back(now);
    return now;
}

void RecordingBackend::waitMs(uint32_t ms) {
    takeStep();
    inner_->waitMs(ms);
}

int64_t RecordingBackend::calendarSeconds() {
    takeStep();
    const int64_t now = inner_->calendarSeconds();
    std::lock_guard<std::mutex> guard(lock_);
    calendarReadings_.push_back(now);
    return now;
}

int RecordingBackend::messageBox(const std::string& caption, const std::string& text, BoxIcon icon) {
    const int answer = inner_->messageBox(caption, text, icon);
    std::lock_guard<std::mutex> guard(lock_);
    line(std::to_string(frame_) + " box " + std::to_string(answer));
    return answer;
}

bool RecordingBackend::answer(AnsweredCall call, bool result, bool usual) {
    std::lock_guard<std::mutex> guard(lock_);
    const uint32_t nth = ++answered_[static_cast<int>(call)];
    if (result == usual) return result;
    if (call == AnsweredCall::PrimaryLost) {
        line(std::to_string(frame_) + " lost " + std::to_string(nth));
    } else {
        line(std::to_string(frame_) + " fail " + answeredCallName(call) + " " + std::to_string(nth));
    }
    return result;
}

bool RecordingBackend::displayStep(DisplayStep step, int displayMode) {
    return answer(AnsweredCall::DisplayStep, inner_->displayStep(step, displayMode), true);
}

bool RecordingBackend::primaryLost() {
    return answer(AnsweredCall::PrimaryLost, inner_->primaryLost(), false);
}

bool RecordingBackend::paletteDevice() {
    return answer(AnsweredCall::PaletteDevice, inner_->paletteDevice(), true);
}

bool RecordingBackend::openSoundDevice() {
    return answer(AnsweredCall::OpenSoundDevice, inner_->openSoundDevice(), true);
}

bool RecordingBackend::loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) {
    return answer(AnsweredCall::LoadEffect, inner_->loadEffect(index, format, std::move(samples)), true);
}

void RecordingBackend::recordMusic(const char* action, const std::string& file, int block) {
    if (std::string(action) == "done") {
        std::lock_guard<std::mutex> guard(lock_);
        line(std::to_string(frame_) + " done " + std::to_string(block) + " " + std::to_string(steps_));
        ++notices_;
    }
    inner_->recordMusic(action, file, block);
}
