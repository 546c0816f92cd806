// The headless back end: no window and no devices. Its millisecond clock
// moves only when the game waits, so every frame takes exactly the same
// virtual time and two runs with the same input are identical. Keys and
// joystick come from an input script; message boxes answer OK at once
// (or, when told, cannot be shown);
// everything shown or played is recorded. A replay takes the place of the
// clocks, inputs, messages and answers: the game plays as it was recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/platform.h"
#include "platform/recording.h"

struct HeadlessOptions {
    uint32_t clockStart = 0;
    int64_t calendarStart = 1767225600;  // 2026-01-01 00:00:00 UTC
    bool joystickPresent = false;
    std::optional<DisplayStep> failingStep;
    // Message boxes cannot be shown: each answers messageBoxNotShown and
    // leaves no event.
    bool boxesFail = false;
    std::vector<ScriptedInput> script;
    // When set, asked at the start of every frame for that frame's inputs,
    // in place of the script.
    std::function<ScriptedInput(uint32_t frame)> liveInput;
    std::map<uint32_t, std::string> screenshots;  // frame → PNG path
    // When set, everything the game reads comes from it; the clock, the
    // script and failingStep are not used, and the music moves only as
    // the recording says.
    std::shared_ptr<ReplaySource> replay;
};

enum class RecordedKind { Message, Sound, Debug, Music };

struct RecordedEvent {
    uint32_t frame;
    RecordedKind kind;
    std::string caption;  // message boxes
    std::string text;     // message boxes, debugger output
    BoxIcon icon = BoxIcon::Information;  // message boxes
    int effect = -1;      // sound plays; the block of a music "done"
    std::string action = {};  // music: open, start, stop, done
};

class HeadlessBackend : public Backend {
public:
    explicit HeadlessBackend(HeadlessOptions options);

    bool createWindow(const char* title, int x, int y, int width, int height) override;
    bool takeMessage(WindowMessage& message) override;
    void waitMessage() override;
    void postMessage(const WindowMessage& message) override;
    void destroyWindow() override;
    void setClientSize(int width, int height) override;
    void startFrame() override;

    void readKeyboard(uint8_t state[256]) override;
    uint32_t queryJoystick(JoyInfo& info) override;

    uint32_t clockMs() override { return options_.replay ? clock_ = options_.replay->clockMs() : clock_; }
    // The music plays as the virtual clock moves, and its notices arrive
    // right after, on the game's own thread.
    void waitMs(uint32_t ms) override;
    int64_t calendarSeconds() override;
    // The virtual clock, or in a replay its last reading: never a reading
    // of the replay's own, since only the frame statistics ask.
    uint64_t clockMicros() override { return uint64_t(clock_) * 1000; }

    int messageBox(const std::string& caption, const std::string& text, BoxIcon icon) override;
    void debugOutput(const std::string& text) override;

    bool displayStep(DisplayStep step, int displayMode) override;
    bool primaryLost() override;
    bool paletteDevice() override;
    void present(const uint8_t* pixels, const PaletteEntry palette[256], int displayMode) override;
    void releaseDisplay() override {}

    bool openSoundDevice() override;
    bool loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) override;
    void playEffect(int index) override;

    MidiStream& midiStream() override { return midi_; }
    bool openMidiLog(const std::string& path) override { return midiLog_.open(path); }
    void recordMusic(const char* action, const std::string& file, int block) override;

    // What the run produced.
    uint32_t framesStarted() const { return frame_; }
    const std::vector<RecordedEvent>& events() const { return events_; }
    // One line for each screenshot that was asked for but not written.
    std::vector<std::string> screenshotProblems() const;
    // The picture of the last present, as RGB bytes (640 × 480 × 3).
    std::vector<uint8_t> lastPicture() const;
    uint32_t presents() const { return presents_; }
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

private:
    // The inputs held in this frame: the script's line, or the live input's.
    const ScriptedInput* currentInput() const;

    HeadlessOptions options_;
    ScriptedInput live_;
    ScriptedInput livePrevious_;
    std::vector<WindowMessage> queue_;
    uint32_t clock_;
    uint32_t frame_ = 0;
    uint32_t presents_ = 0;
    int clientWidth_ = screenWidth;
    int clientHeight_ = screenHeight;
    bool effectLoaded_[7] = {};
    std::vector<RecordedEvent> events_;
    // The last presented picture is kept as indices and palette and turned
    // into colours only when somebody looks at it.
    std::vector<uint8_t> lastPixels_;
    PaletteEntry lastPalette_[256] = {};
    std::map<uint32_t, bool> screenshotsWritten_;  // frame → written
    MidiLog midiLog_;
    MidiStream midi_;  // last, so that it goes first
};
