// A replay shown on screen: the headless back end, answering from the
// recording, stays the game's whole view of the outside world, so the run
// is the recorded one exactly; a real back end beside it shows each
// picture in a window and plays the sound effects, and the frames are
// held back to the pace of the recorded clock. The music stays silent:
// its progress comes from the recording, not from a synthesizer.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/platform.h"

// Thrown when the viewer closes the replay's window (a normal end), or
// when it cannot be opened (a failure); the command line ends the replay
// cleanly.
class ReplayClosed : public std::runtime_error {
public:
    ReplayClosed(const std::string& why, bool failed) : std::runtime_error(why), failed(failed) {}
    bool failed;
};

class ReplayScreenBackend final : public Backend {
public:
    ReplayScreenBackend(std::unique_ptr<Backend> replay, std::unique_ptr<Backend> screen);

    bool createWindow(const char* title, int x, int y, int width, int height) override;
    bool takeMessage(WindowMessage& message) override { return replay_->takeMessage(message); }
    void waitMessage() override { replay_->waitMessage(); }
    void postMessage(const WindowMessage& message) override { replay_->postMessage(message); }
    void destroyWindow() override;
    void setClientSize(int width, int height) override;
    void startFrame() override;

    void readKeyboard(uint8_t state[256]) override { replay_->readKeyboard(state); }
    uint32_t queryJoystick(JoyInfo& info) override { return replay_->queryJoystick(info); }

    uint32_t clockMs() override;
    void waitMs(uint32_t ms) override { replay_->waitMs(ms); }
    int64_t calendarSeconds() override { return replay_->calendarSeconds(); }
    uint64_t clockMicros() override { return screen_->clockMicros(); }

    int messageBox(const std::string& caption, const std::string& text, BoxIcon icon) override {
        return replay_->messageBox(caption, text, icon);
    }
    void debugOutput(const std::string& text) override { replay_->debugOutput(text); }

    bool displayStep(DisplayStep step, int displayMode) override;
    bool primaryLost() override { return replay_->primaryLost(); }
    void restorePrimary() override { replay_->restorePrimary(); }
    bool paletteDevice() override { return replay_->paletteDevice(); }
    void present(const uint8_t* pixels, const PaletteEntry palette[256], int displayMode) override;
    void releaseDisplay() override;

    bool openSoundDevice() override;
    bool loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) override;
    void playEffect(int index) override;

    MidiStream& midiStream() override { return replay_->midiStream(); }
    bool openMidiLog(const std::string& path) override { return replay_->openMidiLog(path); }
    void recordMusic(const char* action, const std::string& file, int block) override {
        replay_->recordMusic(action, file, block);
    }

private:
    // Takes the window's own events: the viewer may close it.
    void pumpScreen();

    std::unique_ptr<Backend> replay_;
    std::unique_ptr<Backend> screen_;
    bool paceStarted_ = false;
    uint32_t firstReading_ = 0;      // the recorded clock's first reading
    uint64_t startedMicros_ = 0;     // when it was taken, in real time
    bool soundOpen_ = false;
};
