// A recording of any content given to --replay, as players send them to
// each other: the reader refuses it with the line named, or accepts it in
// the order a replay depends on, and then the game starts up and plays its
// first frames from it on the headless back end, as the command line
// plays it: with the recorded options and files, the final state taken
// where the recorded run took it, until the frames run out or the game
// goes another way than the recording.
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/recording_session.h"
#include "app/startup.h"
#include "app/state_dump.h"
#include "fuzz_support.h"
#include "platform/files.h"
#include "platform/recording.h"

namespace {

// The start-up reads and decodes all of the game's data, as dear as some
// twenty-five frames of the title; the first frames are where the lines of
// a recording first meet the game, and later ones repeat the same steps.
// Four keep an input at little more than the cost of its start-up.
constexpr uint32_t replayedFrames = 4;

[[noreturn]] void fault() { std::abort(); }

template <typename Entries>
void checkOrder(const Entries& entries, uint32_t lastFrame) {
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].frame > lastFrame || (i > 0 && entries[i].frame < entries[i - 1].frame)) fault();
    }
}

// What the replay counts on in a recording the reader accepted.
void checkAccepted(const Recording& recording) {
    const uint32_t last = recording.lastFrame;
    if (recording.endFrame && *recording.endFrame != last) fault();
    checkOrder(recording.held, last);
    checkOrder(recording.clock, last);
    checkOrder(recording.calendar, last);
    checkOrder(recording.messages, last);
    checkOrder(recording.boxes, last);
    checkOrder(recording.unusual, last);
    checkOrder(recording.notices, last);
    checkOrder(recording.dumps, last);
    for (size_t i = 0; i < recording.held.size(); ++i) {
        const Recording::Held& held = recording.held[i];
        if (held.fromReading < 1) fault();
        if (i > 0 && recording.held[i - 1].frame == held.frame &&
            recording.held[i - 1].fromReading >= held.fromReading) {
            fault();
        }
        for (int key : held.input.keys) {
            if (key < 0 || key > 255) fault();
        }
    }
    for (const Recording::Unusual& unusual : recording.unusual) {
        if (unusual.nth < 1 || int(unusual.call) < 0 || int(unusual.call) >= answeredCallCount) fault();
    }
    for (const Recording::Option& option : recording.options) {
        if (option.words.empty() || option.line < 2) fault();
    }
    for (const Recording::File& file : recording.files) {
        if (file.name.empty() || file.name.front() == '.' || file.name.find('/') != std::string::npos) fault();
        if (!file.present && !file.bytes.empty()) fault();
    }
}

// The options a recording keeps, taken as the command line takes them;
// false where it would refuse the recording.
struct RecordedOptions {
    bool window = false;
    bool frames = false;
    uint32_t frameCount = 0;
    std::vector<std::pair<int32_t*, int32_t>> settings;
};

template <typename Number>
bool wholeNumber(const std::string& text, Number& out) {
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, out);
    return !text.empty() && error == std::errc() && at == end;
}

bool takeOptions(const Recording& recording, RecordedOptions& out) {
    for (const Recording::Option& option : recording.options) {
        const std::vector<std::string>& words = option.words;
        if (words.size() == 1 && words[0] == "--window") {
            out.window = true;
        } else if (words.size() == 2 && words[0] == "--frames") {
            if (!wholeNumber(words[1], out.frameCount) || out.frameCount == 0) return false;
            out.frames = true;
        } else if (words.size() == 2 && words[0] == "--set") {
            const size_t equals = words[1].find('=');
            if (equals == std::string::npos) return false;
            int32_t* variable = varnholt::findIntVariable(words[1].substr(0, equals));
            int32_t value = 0;
            if (variable == nullptr || !wholeNumber(words[1].substr(equals + 1), value)) return false;
            out.settings.emplace_back(variable, value);
        } else {
            return false;
        }
    }
    return true;
}

ReplaySource* replaying = nullptr;
std::string finalState;

void takeFinalState() {
    finalState = varnholt::takeFinalStateFor(varnholt::framesRun, nullptr, replaying);
    if (finalState.empty()) fault();
}

std::string dataFolder;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The game's data as the build made it, named before the working
    // folder changes.
    dataFolder = std::filesystem::absolute(VARNHOLT_FUZZ_DATA_DIR).string();
    fuzz_support::enterScratchFolder("recording");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varnholt;
    Recording recording;
    std::string error;
    if (!parseRecording(std::string(reinterpret_cast<const char*>(data), size), recording, error)) {
        // The command line passes the reason on as one line of its own.
        if (error.rfind("line ", 0) != 0 || error.find('\n') != std::string::npos) fault();
        return 0;
    }
    checkAccepted(recording);
    RecordedOptions options;
    if (!takeOptions(recording, options)) return 0;

    // A recording that ends within the frames is played whole, as --replay
    // FILE plays it, and must have been used up; a longer one is cut, as
    // --replay FILE --frames N cuts it.
    const bool whole = recording.endFrame && *recording.endFrame < replayedFrames;
    const std::vector<Recording::File> files = recording.files;
    auto replay = std::make_shared<ReplaySource>(std::move(recording));
    HeadlessOptions headless;
    headless.replay = replay;
    fuzz_support::FreshGame game(std::move(headless), fuzz_support::Reset::WholeGame);
    setDataDirectory(dataFolder);
    const std::string folder = makeReplayFolder(files);
    if (folder.empty()) return 0;
    setWriteDirectory(folder);

    replaying = replay.get();
    finalState.clear();
    if (options.window) displayMode = 1;
    frameLimit = whole ? (options.frames ? options.frameCount : 0) : replayedFrames;
    atFrameLimit = takeFinalState;
    try {
        if (initGame(1, 0, 1)) {
            for (const auto& [variable, value] : options.settings) *variable = value;
            runMessageLoop();
        }
        if (finalState.empty()) takeFinalState();
        if (whole) replay->checkFinished();
    } catch (const ReplayDiverged&) {
    }
    replaying = nullptr;
    setWriteDirectory("");
    removeReplayFolder(folder);
    return 0;
}
