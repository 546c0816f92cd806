// The recorder: a back end wrapped around another (SDL for players, or the
// headless one), passing every call through and writing down what the game
// read from outside, in the format of recording.h. The file is flushed once
// a second, so a run that crashes leaves the frames before it; the end line
// comes only from finish().
#pragma once

#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/recording.h"

class RecordingBackend final : public Backend {
public:
    RecordingBackend(std::unique_ptr<Backend> inner, const std::string& path);
    ~RecordingBackend() override;
    RecordingBackend(const RecordingBackend&) = delete;
    RecordingBackend& operator=(const RecordingBackend&) = delete;

    // False when the file could not be made.
    bool isOpen() const { return file_ != nullptr; }
    Backend& inner() { return *inner_; }

    // A line of frame 0 that the command line adds ("option …", "file …").
    // Called before the game starts.
    void noteAtStart(const std::string& text);
    // The final state and the music's notices: the music plays on a thread
    // of its own, so the command line takes the state again until no notice
    // came while it did. noticesSoFar() before taking it; markFinalState
    // after, which answers false (and marks nothing) when a notice came.
    uint64_t noticesSoFar();
    bool markFinalState(uint64_t noticesBefore);
    // Called when the game ended normally: writes the end line and the
    // rest of the file. Answers false when some of it could not be written.
    bool finish();

    bool createWindow(const char* title, int x, int y, int width, int height) override;
    bool takeMessage(WindowMessage& message) override;
    void waitMessage() override;
    void postMessage(const WindowMessage& message) override;
    void destroyWindow() override;
    void setClientSize(int width, int height) override { inner_->setClientSize(width, height); }
    void startFrame() override;

    void readKeyboard(uint8_t state[256]) override;
    uint32_t queryJoystick(JoyInfo& info) override;

    uint32_t clockMs() override;
    void waitMs(uint32_t ms) override;
    int64_t calendarSeconds() override;
    // Not recorded: the game never reads it.
    uint64_t clockMicros() override { return inner_->clockMicros(); }

    int messageBox(const std::string& caption, const std::string& text, BoxIcon icon) override;
    void debugOutput(const std::string& text) override { inner_->debugOutput(text); }

    bool displayStep(DisplayStep step, int displayMode) override;
    bool primaryLost() override;
    void restorePrimary() override { inner_->restorePrimary(); }
    bool paletteDevice() override;
    void present(const uint8_t* pixels, const PaletteEntry palette[256], int displayMode) override {
        inner_->present(pixels, palette, displayMode);
    }
    void releaseDisplay() override { inner_->releaseDisplay(); }

    bool openSoundDevice() override;
    bool loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) override;
    void playEffect(int index) override { inner_->playEffect(index); }

    MidiStream& midiStream() override { return inner_->midiStream(); }
    bool openMidiLog(const std::string& path) override { return inner_->openMidiLog(path); }
    // Called by the music player, on the stream's notifier thread as well.
    void recordMusic(const char* action, const std::string& file, int block) override;

private:
    // With the lock held.
    uint32_t beginStep();
    // Taking the lock: a step, or a step that reads the keys or joystick
    // (answering which reading of the frame it is).
    void takeStep();
    uint32_t takeReading();
    void line(const std::string& text);
    void endFrameLines();
    void writeOut();
    // Counts an answered call and notes it when it was not the usual
    // answer; answers `result`. Takes the lock.
    bool answer(AnsweredCall call, bool result, bool usual);
    void heldChanged(uint32_t reading);

    std::unique_ptr<Backend> inner_;
    std::FILE* file_ = nullptr;
    bool writeFailed_ = false;

    std::mutex lock_;  // all below: the music's notices come from another thread
    std::string pending_;
    uint32_t frame_ = 0;
    uint32_t steps_ = 0;
    uint32_t readings_ = 0;
    uint32_t answered_[answeredCallCount] = {};
    std::vector<uint32_t> clockReadings_;
    std::vector<int64_t> calendarReadings_;
    std::deque<WindowMessage> posted_;  // posted by the game and not yet taken back
    std::vector<int> heldKeys_;         // as the last held line says
    bool joystickPlugged_ = false;
    uint32_t joyX_ = 0, joyY_ = 0, joyButtons_ = 0;
    uint64_t notices_ = 0;
};
