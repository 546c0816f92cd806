// The SDL back end's class, shared by its source files (window and
// messages, input, video, audio); nothing outside src/platform/sdl/
// includes this.
#pragma once

#include <SDL.h>

#include <deque>
#include <memory>

#include "platform/key_latch.h"
#include "platform/platform.h"
#include "platform/sound_mixer.h"

class SdlBackend final : public Backend {
public:
    SdlBackend() = default;
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    // The Backend operations, called by the game through platform().
    bool createWindow(const char* title, int x, int y, int width, int height) override;
    bool takeMessage(WindowMessage& message) override;
    void waitMessage() override;
    void postMessage(const WindowMessage& message) override;
    void destroyWindow() override;
    void setClientSize(int width, int height) override;

    void startFrame() override { keyLatch_.startFrame(); }
    void readKeyboard(uint8_t state[256]) override;
    uint32_t queryJoystick(JoyInfo& info) override;

    uint32_t clockMs() override;
    void waitMs(uint32_t ms) override;
    int64_t calendarSeconds() override;
    uint64_t clockMicros() override;

    int messageBox(const std::string& caption, const std::string& text, BoxIcon icon) override;
    void debugOutput(const std::string& text) override;

    bool displayStep(DisplayStep step, int displayMode) override;
    bool primaryLost() override { return deviceLost_; }
    void restorePrimary() override;
    void present(const uint8_t* pixels, const PaletteEntry palette[256], int displayMode) override;
    void releaseDisplay() override;

    bool openSoundDevice() override;
    bool loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) override;
    void playEffect(int index) override;

    MidiStream& midiStream() override { return midi_; }
    bool openMidiLog(const std::string& path) override;

    // sdl_audio.cpp: called by the audio callback for every buffer.
    void renderAudio(int16_t* out, size_t frames);
    // sdl_audio.cpp: called by takeOverSdlAudio and renderSdlAudio.
    size_t takeOverAudio();
    void renderAudioLocked(int16_t* out, size_t frames);

private:
    // sdl_backend.cpp: turns one SDL event into a window message, or
    // answers false when the event means nothing to the game.
    bool translateEvent(const SDL_Event& event, WindowMessage& message);

    // sdl_input.cpp: sees every key event as SDL queues it, so that a tap
    // is latched even when its release comes in the same pass.
    static int watchKeys(void* self, SDL_Event* event);

    // sdl_input.cpp: the game uses one controller, the first one found.
    void openFirstController();
    void controllerAdded(int deviceIndex);
    void controllerRemoved(SDL_JoystickID instance);

    // sdl_video.cpp
    bool applyDisplayMode(int displayMode);
    bool coverDisplay();
    bool createScreen();

    // sdl_audio.cpp
    void closeSoundDevice();

    // sdl_music.cpp: the synthesizer the music plays through.
    class Synth;
    struct SynthDeleter {
        void operator()(Synth* synth) const;
    };
    void startSynth();
    void renderMusic(int32_t* out, size_t frames);
    void waitForSoundfont();

    SDL_Window* window_ = nullptr;
    // Where the window was before full screen: without a window manager
    // nobody else remembers it.
    SDL_Rect windowedPlace_{SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, screenWidth, screenHeight};
    bool movedForFullScreen_ = false;  // we, not a window manager, covered the display
    std::deque<WindowMessage> posted_;

    SDL_GameController* controller_ = nullptr;
    KeyLatch keyLatch_;
    bool watchingKeys_ = false;

    // Only for a window surface of a format we do not expand into.
    SDL_Surface* staging_ = nullptr;
    bool deviceLost_ = false;  // the window's surface could not be had

    SDL_AudioDeviceID audioDevice_ = 0;
    uint32_t audioRate_ = 0;
    SoundMixer mixer_;  // touched by the audio thread: lock the device first

    // The music: played and rendered by the audio thread, its notices
    // delivered by the stream's own thread. The stream guards itself.
    MidiLog midiLog_;
    std::unique_ptr<Synth, SynthDeleter> synth_;
    MidiStream midi_;  // last, so that its notifier stops first
};
