// The browser back end's class, shared by its source files (messages and
// clocks, input, picture, sound). Nothing outside src/platform/web/
// includes this.
//
// It talks to the page directly (EM_JS calls into web/page.js, which calls
// back through two exported functions), not through SDL. Its waits — the frame wait, the wait for
// a message, a message box — give the browser its turn through Asyncify,
// so the game's own loops run as they are written, the tab stays alive and
// nothing spins.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/key_latch.h"
#include "platform/platform.h"
#include "platform/sound_mixer.h"

class WebBackend final : public Backend {
public:
    WebBackend();
    ~WebBackend() override;
    WebBackend(const WebBackend&) = delete;
    WebBackend& operator=(const WebBackend&) = delete;

    // web_backend.cpp: window, messages, clocks, dialogs.
    bool createWindow(const char* title, int x, int y, int width, int height) override;
    bool takeMessage(WindowMessage& message) override;
    void waitMessage() override;
    void postMessage(const WindowMessage& message) override;
    void destroyWindow() override;
    void setClientSize(int width, int height) override;

    uint32_t clockMs() override;
    void waitMs(uint32_t ms) override;
    int64_t calendarSeconds() override;
    uint64_t clockMicros() override;

    int messageBox(const std::string& caption, const std::string& text, BoxIcon icon) override;
    void debugOutput(const std::string& text) override;

    // web_input.cpp: the keyboard and the page's first gamepad.
    void startFrame() override { keyLatch_.startFrame(); }
    void readKeyboard(uint8_t state[256]) override;
    uint32_t queryJoystick(JoyInfo& info) override;

    // web_video.cpp: the canvas.
    bool displayStep(DisplayStep step, int displayMode) override;
    void present(const uint8_t* pixels, const PaletteEntry palette[256], int displayMode) override;
    void releaseDisplay() override;

    // web_audio.cpp: the effects through our mixer, the music through the
    // page's synthesizer, both played by the page's audio callback.
    bool openSoundDevice() override;
    bool loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) override;
    void playEffect(int index) override;
    MidiStream& midiStream() override { return midi_; }
    bool openMidiLog(const std::string& path) override;

    // web_audio.cpp: called by the page's audio callback for every buffer,
    // between two of the game's waits. Mixes `frames` stereo frames of the
    // effects into a buffer of ours and answers it (interleaved, signed
    // 16-bit), then plays the music's messages of the same stretch, each
    // at its sample, telling the page where to render the synthesizer.
    const int16_t* renderAudio(int frames);

private:
    // web_audio.cpp: the page's callback plays nothing of ours any more.
    void closeSound();

    // web_audio.cpp: where the music's messages go, the page's synthesizer
    // and the log of --midi-log.
    class PageSynth final : public MidiSink {
    public:
        explicit PageSynth(MidiLog& log) : log_(log) {}
        void send(double ms, const uint8_t* bytes, int length) override;
        void allNotesOff() override;

    private:
        MidiLog& log_;
    };

    KeyLatch keyLatch_;
    uint32_t audioRate_ = 0;  // the page's sample rate; 0 without sound
    SoundMixer mixer_;
    std::vector<int16_t> mixed_;
    MidiLog midiLog_;
    PageSynth synth_{midiLog_};
    MidiStream midi_;
};
