// A recording: everything the game read from outside while it ran — keys,
// joystick, clocks, window messages, message-box answers, the set-ups that
// failed and the music's progress — so that a headless run plays the very
// same game again. Plain text, one line each, in the order things came; it
// extends the input script (the same held-input lines and tokens):
//
//   varnholt-recording 1       the first line: the format and its version
//   FRAME TOKEN…               from FRAME on these inputs are held; without
//                              a joy= token the joystick is unplugged
//   FRAME at N TOKEN…          the same, from the N-th key or joystick
//                              reading of FRAME on
//   FRAME clock MS…            the millisecond clock's readings, in order
//   FRAME calendar S…          the calendar's readings, in seconds
//   FRAME message KIND PARAM   a window message from outside (Quit,
//                              ActivateApp, KeyDown, Close, Destroy, Command)
//   FRAME message KeyDown PARAM repeat
//                              a key-down of the keyboard's auto-repeat
//   FRAME wait                 no message waited, and the game, inactive,
//                              waited for one
//   FRAME box ANSWER           the answer of a message box
//   FRAME fail CALL N          the N-th call of CALL in FRAME answered no:
//                              createWindow, displayStep, paletteDevice,
//                              openSoundDevice or loadEffect
//   FRAME lost N               the N-th query in FRAME found the display lost
//   FRAME done BLOCK N         the music finished BLOCK after step N of FRAME
//   FRAME dump N               the final state was taken as step N of FRAME
//   0 option ARG…              a command-line option of the recorded run
//   0 file NAME missing        a file of the game's own, as the run found
//   0 file NAME SIZE HEX       it at start
//   FRAME end                  the run ended normally after FRAME frames
//   # comment
//
// Frame 0 is start-up, before the first frame. The music plays on a thread
// of its own, so its place among the game's calls is given in steps: every
// call of startFrame, takeMessage, waitMessage, readKeyboard, queryJoystick,
// clockMs, waitMs and calendarSeconds is one step, counted from 1 in each
// frame. None of them is ever made while the music player holds its lock,
// so a replay can hand over the music's notices right after one of them.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/platform.h"

constexpr int recordingVersion = 1;
constexpr const char* recordingMagic = "varnholt-recording";

// The calls whose answer is recorded only when it is the unusual one: no
// for the set-ups, yes for primaryLost.
enum class AnsweredCall { CreateWindow, DisplayStep, PaletteDevice, OpenSoundDevice, LoadEffect, PrimaryLost };
constexpr int answeredCallCount = 6;
const char* answeredCallName(AnsweredCall call);

const char* messageKindName(MessageKind kind);
bool messageKindFromName(const std::string& name, MessageKind& out);

struct Recording {
    template <typename Value>
    struct Entry {
        uint32_t frame;
        Value value;
    };
    struct Held {
        uint32_t frame;
        uint32_t fromReading;  // 1 = the frame's first reading
        ScriptedInput input;   // joystickSet: plugged in
    };
    struct Unusual {
        uint32_t frame;
        AnsweredCall call;
        uint32_t nth;
    };
    struct Notice {
        uint32_t frame;
        uint32_t block;
        uint32_t step;
    };
    struct File {
        std::string name;
        bool present;
        std::vector<uint8_t> bytes;
    };
    struct Option {
        int line;
        std::vector<std::string> words;
    };

    std::vector<Held> held;
    std::vector<Entry<uint32_t>> clock;
    std::vector<Entry<int64_t>> calendar;
    std::vector<Entry<std::optional<WindowMessage>>> messages;  // empty: a wait
    std::vector<Entry<int>> boxes;
    std::vector<Unusual> unusual;
    std::vector<Notice> notices;
    std::vector<Entry<uint32_t>> dumps;  // the step
    std::vector<Option> options;
    std::vector<File> files;
    std::optional<uint32_t> endFrame;
    uint32_t lastFrame = 0;  // the highest frame any line names
};

// Reads a whole recording. On a fault answers false with "line N: why" in
// `error`; a recording cut off inside a line is a fault.
bool parseRecording(const std::string& text, Recording& out, std::string& error);

// Thrown by a replay when the game asks for what the recording does not
// hold: the game went another way, or the recording stops early.
class ReplayDiverged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Answers the headless back end's questions from a recording, in place of
// its virtual clock and script. Each call consumes what the recording holds
// for the frame the game is in; asking for more, or moving on to the next
// frame while some of it is left, throws ReplayDiverged.
class ReplaySource {
public:
    explicit ReplaySource(Recording recording);

    // The stream whose blocks the recorded notices finish. Called once by
    // the back end that owns it.
    void attachMusic(MidiStream& stream) { music_ = &stream; }

    // The steps.
    void startFrame();
    // Messages the game posted to itself come first, as a real queue
    // hands them out; then those from outside, for this frame, up to the
    // next wait.
    bool takeMessage(std::vector<WindowMessage>& posted, WindowMessage& message);
    void waitMessage();
    void readKeyboard(uint8_t state[256]);
    uint32_t queryJoystick(JoyInfo& info);
    uint32_t clockMs();
    void waitMs();
    int64_t calendarSeconds();

    int messageBox();
    bool answer(AnsweredCall call, bool usual);
    // Whether the recorded run took its final state at this point; if so,
    // the command line calls finalStateTaken right after taking it too.
    bool finalStateTakenHere() const;
    void finalStateTaken();
    // Called after a run that was not cut short by its caller: the game
    // must have ended where the recording does, having used all of it.
    void checkFinished();

private:
    void step();
    // The next of `entries` when it belongs to this frame; otherwise the
    // game went another way, as `otherwise` says.
    template <typename Value>
    Value nextOfFrame(const std::vector<Recording::Entry<Value>>& entries, size_t& at, const char* otherwise);
    const ScriptedInput* heldNow();
    void checkFrameUsed();
    [[noreturn]] void diverged(const std::string& what) const;

    Recording recording_;
    MidiStream* music_ = nullptr;
    uint32_t frame_ = 0;
    uint32_t steps_ = 0;
    uint32_t readings_ = 0;
    uint32_t answered_[answeredCallCount] = {};
    size_t heldAt_ = 0, clockAt_ = 0, calendarAt_ = 0, messageAt_ = 0, boxAt_ = 0, noticeAt_ = 0,
           dumpAt_ = 0;
    std::vector<bool> unusualUsed_;
};
