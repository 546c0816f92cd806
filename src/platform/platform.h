// The system layer: every operation the game needs from the machine it runs
// on — window and messages, keyboard, joystick, clocks, message boxes,
// debugger output, the display and the sound-effect device.
//
// The game calls these through platform(); a back end implements them.
// Two back ends exist: SDL2 for players, headless for tests and scripted
// runs. Nothing above this layer knows which one is running.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi_stream.h"

// Virtual-key codes: the indices of the key-state array.
namespace vk {
constexpr int Return = 0x0D;
constexpr int Pause = 0x13;
constexpr int Escape = 0x1B;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int C = 0x43;
constexpr int V = 0x56;
constexpr int X = 0x58;
constexpr int Z = 0x5A;
constexpr int F1 = 0x70;
constexpr int F8 = 0x77;
}  // namespace vk

// A key is down when bit 7 of its byte in the key-state array is set.
constexpr uint8_t keyDownBit = 0x80;

// One palette entry as the display hardware knows it.
struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};
bool operator==(const PaletteEntry& a, const PaletteEntry& b);

// Palette-entry flags.
constexpr uint8_t paletteReserved = 1;
constexpr uint8_t paletteExplicit = 2;
constexpr uint8_t paletteNoCollapse = 4;

// The joystick position record: thirteen 32-bit fields, 52 bytes.
struct JoyInfo {
    uint32_t size;
    uint32_t flags;
    uint32_t x;
    uint32_t y;
    uint32_t z;
    uint32_t r;
    uint32_t u;
    uint32_t v;
    uint32_t buttons;
    uint32_t buttonNumber;
    uint32_t pov;
    uint32_t reserved1;
    uint32_t reserved2;
};
constexpr uint32_t joyReturnX = 0x01;
constexpr uint32_t joyReturnY = 0x02;
constexpr uint32_t joyReturnButtons = 0x80;
constexpr uint32_t joyNoError = 0;
constexpr uint32_t joyUnplugged = 167;

// Messages the window receives.
enum class MessageKind {
    Quit,         // param: exit code; ends the message loop
    ActivateApp,  // param: non-zero when the game becomes the active application
    KeyDown,      // param: virtual-key code
    Close,        // the window is asked to close
    Destroy,      // the window has been destroyed
    Command,      // param: menu command id
};

struct WindowMessage {
    MessageKind kind;
    int32_t param;
    // KeyDown only: the key was already down, and this is the keyboard's
    // auto-repeat rather than a new press.
    bool repeat = false;
};

// Answers of a message box: OK, or a box that could not be shown.
constexpr int messageBoxOk = 1;
constexpr int messageBoxNotShown = 0;

// The icon of a message box: information for what a command says of
// itself, error for a failure.
enum class BoxIcon { Information, Error };

// The steps of bringing up the display and its sheets, each of which can
// fail on a real machine. The headless back end can be told to fail one.
enum class DisplayStep {
    CreateDevice,
    SetCooperativeLevel,
    SetDisplayMode,
    CreatePrimary,
    CreateClipper,
    BindClipper,
    AttachClipper,
    CreateBackBuffer,
    CreatePalette,
    CreateSheet,
    SetColorKey,
};
const char* displayStepName(DisplayStep step);
bool displayStepFromName(const std::string& name, DisplayStep& out);

// Where `name` stands in a table of names, or -1: how the enums of the
// platform layer are read back from text (the command line, recordings).
template <size_t N>
int indexOfName(const char* const (&names)[N], const std::string& name) {
    for (size_t i = 0; i < N; ++i) {
        if (name == names[i]) return int(i);
    }
    return -1;
}

// The sample format of one sound effect, as read from its file.
struct SoundFormat {
    uint16_t channels;        // 1 or 2
    uint32_t samplesPerSecond;
    uint16_t blockAlign;      // bytes per sample frame, all channels
    uint16_t bitsPerSample;   // 8 (unsigned) or 16 (signed)
};

// The size of the picture every frame composes.
constexpr int screenWidth = 640;
constexpr int screenHeight = 480;

class Backend {
public:
    virtual ~Backend() = default;

    // Window and messages.
    virtual bool createWindow(const char* title, int x, int y, int width, int height) = 0;
    virtual bool takeMessage(WindowMessage& message) = 0;  // false when none waits
    virtual void waitMessage() = 0;                       // sleep until one arrives
    virtual void postMessage(const WindowMessage& message) = 0;
    virtual void destroyWindow() = 0;  // posts Destroy
    // Puts the window at the screen's top-left corner with a client area
    // of this size; the picture is scaled into it.
    virtual void setClientSize(int width, int height) = 0;

    // Called by the frame driver at the very start of every frame.
    virtual void startFrame() {}

    // Input.
    virtual void readKeyboard(uint8_t state[256]) = 0;
    virtual uint32_t queryJoystick(JoyInfo& info) = 0;  // joyNoError or joyUnplugged

    // Time. The millisecond clock is unsigned and wraps around.
    virtual uint32_t clockMs() = 0;
    virtual void waitMs(uint32_t ms) = 0;
    virtual int64_t calendarSeconds() = 0;
    // A finer clock for measuring frames only; the game never reads it.
    // Called by the frame statistics. Counts from an arbitrary start.
    virtual uint64_t clockMicros() { return uint64_t(clockMs()) * 1000; }

    // Messages to the player (modal, one OK button) and to the developer.
    // A box answers messageBoxOk once the player closed it, and
    // messageBoxNotShown when it could not be shown at all.
    virtual int messageBox(const std::string& caption, const std::string& text, BoxIcon icon) = 0;
    virtual void debugOutput(const std::string& text) = 0;

    // Display. Each step answers whether it succeeded; displayMode is
    // 1 for a window, 2 for full screen.
    virtual bool displayStep(DisplayStep step, int displayMode) = 0;
    virtual bool primaryLost() { return false; }
    virtual void restorePrimary() {}
    virtual bool paletteDevice() { return true; }
    virtual void present(const uint8_t* pixels, const PaletteEntry palette[256], int displayMode) = 0;
    virtual void releaseDisplay() = 0;

    // Sound effects: seven slots, each holding one effect's samples.
    virtual bool openSoundDevice() = 0;
    virtual bool loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) = 0;
    virtual void playEffect(int index) = 0;

    // Music: the MIDI stream the player plays through (the back end owns
    // its clock and synthesizer), a log of every message it plays, and a
    // note of what the player did, for a scripted run's record.
    virtual MidiStream& midiStream() = 0;
    virtual bool openMidiLog(const std::string& path) = 0;
    virtual void recordMusic(const char* /*action*/, const std::string& /*file*/, int /*block*/) {}
};

// The back end in use. Set once by the program entry (or a test) before
// the game starts.
Backend& platform();
void setPlatform(std::unique_ptr<Backend> backend);
