#include "app/command_line.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/frame_driver.h"
#include "app/frame_stats.h"
#include "app/game_state.h"
#include "app/json.h"
#include "app/autoplayer.h"
#include "app/monkey.h"
#include "app/recording_session.h"
#include "app/startup.h"
#include "app/state_dump.h"
#include "audio/sound_effects.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/install_paths.h"
#include "platform/replay_screen.h"
#include "platform/window_backend.h"

namespace varnholt {

namespace {

constexpr int badUsage = 2;

const char* const helpText =
    "Usage: varnholt [OPTION]...\n"
    "Varnholt: fall into the cave, fight through its eight areas, defeat the boss.\n"
    "\n"
    "Without options the game starts full screen.\n"
    "  --window              start in a window instead of full screen\n"
    "  --data DIR            read Bitmap/ and 音楽/ from DIR (default: the working directory,\n"
    "                        or, when it has none, the data installed with the game)\n"
    "  --frames N            run exactly N frames, then exit\n"
    "  --set NAME=VALUE      set a game variable after start-up, before the first frame\n"
    "  --dump-state FILE     after the last frame, write every game variable to FILE as JSON\n"
    "  --record FILE         write everything the game reads from outside to FILE: keys,\n"
    "                        joystick, clocks, window messages, message-box answers, the\n"
    "                        music's progress (see --replay)\n"
    "  --midi-log FILE       write every MIDI message the music plays to FILE, one line each:\n"
    "                        milliseconds since the piece started, then the bytes in hex\n"
    "  --frame-stats FILE    at exit, write a line per frame: its number, the game clock (ms)\n"
    "                        at its release, the release, its work and its presentation (µs)\n"
    "  --help                show this text\n"
    "\n"
    "Scripted runs without a window or sound device:\n"
    "  --headless            use the headless back end (needs --frames)\n"
    "  --input FILE          input script: lines 'FRAME TOKEN...' hold those inputs from FRAME on;\n"
    "                        tokens Up Down Left Right X C Z V Enter Esc Pause F1..F8 key=CODE\n"
    "                        joy=X,Y,BUTTONS; '#' starts a comment\n"
    "  --replay FILE         play a recording made with --record again, headless, exactly as it\n"
    "                        went; implies --headless, and --window, --set and --frames of the\n"
    "                        recorded run (a --frames of your own cuts it short); with --window\n"
    "                        of your own it is also shown in a window at the recorded pace,\n"
    "                        with its sound effects (the music stays silent)\n"
    "  --monkey SEED         a seeded random player in place of the script; the game's\n"
    "                        invariants are checked before every frame (exit 3 when one\n"
    "                        breaks) and what the run reached is printed at the end\n"
    "  --autoplay SEED       a player program in place of the script: it plays a whole game,\n"
    "                        from the title to the ending, and closes the game once the\n"
    "                        best score is shown; what the game reached is printed at the end\n"
    "  --autoplay-difficulty N  the difficulty it chooses, 0 to 2 (default 0)\n"
    "                        (--monkey with --autoplay: the two take turns, the monkey's\n"
    "                        report and invariants as with --monkey alone)\n"
    "  --joystick            joystick 0 is plugged in (centred, no buttons unless scripted)\n"
    "  --events FILE         write what was shown and played as JSON lines\n"
    "  --screenshot F:FILE   write the picture presented in frame F as PNG (repeatable)\n"
    "  --clock-start MS      first reading of the millisecond clock\n"
    "  --fail-display STEP   make one step of display set-up fail: CreateDevice,\n"
    "                        SetCooperativeLevel, SetDisplayMode, CreatePrimary, CreateClipper,\n"
    "                        BindClipper, AttachClipper, CreateBackBuffer, CreatePalette,\n"
    "                        CreateSheet, SetColorKey\n";

struct Options {
    bool help = false;
    bool window = false;
    bool headless = false;
    std::optional<uint32_t> frames;
    std::string inputFile;
    std::optional<uint32_t> monkeySeed;
    std::optional<uint32_t> autoplaySeed;
    std::optional<int32_t> autoplayDifficulty;
    bool joystick = false;
    std::string dumpFile;
    std::string midiLogFile;
    std::string frameStatsFile;
    std::string eventsFile;
    std::map<uint32_t, std::string> screenshots;
    std::vector<std::pair<int32_t*, int32_t>> settings;
    uint32_t clockStart = 0;
    std::string dataDirectory;
    std::optional<DisplayStep> failingStep;
    std::vector<std::string> settingTexts;  // as given, for a recording
    std::string recordFile;
    std::string replayFile;
    bool replayCut = false;  // --frames of the caller's own
    bool replayOnScreen = false;
};

struct UsageError {
    std::string text;
};

template <typename Number>
Number parseNumber(const std::string& text, const std::string& what) {
    Number value{};
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end) {
        throw UsageError{what + " must be a whole number, not '" + text + "'"};
    }
    return value;
}

void addSetting(Options& options, const std::string& setting) {
    const size_t equals = setting.find('=');
    if (equals == std::string::npos) {
        throw UsageError{"--set wants NAME=VALUE, not '" + setting + "'"};
    }
    const std::string name = setting.substr(0, equals);
    int32_t* variable = findIntVariable(name);
    if (variable == nullptr) throw UsageError{"unknown variable '" + name + "'"};
    options.settings.emplace_back(variable, parseNumber<int32_t>(setting.substr(equals + 1), name));
    options.settingTexts.push_back(setting);
}

Options parseOptions(int argc, char** argv) {
    Options options;
    std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{option + " needs a value"};
            return args[++i];
        };
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--window") {
            options.window = true;
        } else if (option == "--headless") {
            options.headless = true;
        } else if (option == "--frames") {
            options.frames = parseNumber<uint32_t>(value(), "--frames");
            if (*options.frames == 0) throw UsageError{"--frames must be 1 or more"};
        } else if (option == "--input") {
            options.inputFile = value();
        } else if (option == "--monkey") {
            options.monkeySeed = parseNumber<uint32_t>(value(), "--monkey");
        } else if (option == "--autoplay") {
            options.autoplaySeed = parseNumber<uint32_t>(value(), "--autoplay");
        } else if (option == "--autoplay-difficulty") {
            options.autoplayDifficulty = parseNumber<int32_t>(value(), "--autoplay-difficulty");
            if (*options.autoplayDifficulty < 0 || *options.autoplayDifficulty > 2) {
                throw UsageError{"--autoplay-difficulty must be 0, 1 or 2"};
            }
        } else if (option == "--joystick") {
            options.joystick = true;
        } else if (option == "--dump-state") {
            options.dumpFile = value();
        } else if (option == "--frame-stats") {
            options.frameStatsFile = value();
        } else if (option == "--midi-log") {
            options.midiLogFile = value();
        } else if (option == "--events") {
            options.eventsFile = value();
        } else if (option == "--screenshot") {
            const std::string& shot = value();
            const size_t colon = shot.find(':');
            if (colon == std::string::npos || colon + 1 == shot.size()) {
                throw UsageError{"--screenshot wants FRAME:FILE, not '" + shot + "'"};
            }
            options.screenshots[parseNumber<uint32_t>(shot.substr(0, colon), "--screenshot's frame")] =
                shot.substr(colon + 1);
        } else if (option == "--set") {
            addSetting(options, value());
        } else if (option == "--record") {
            options.recordFile = value();
        } else if (option == "--replay") {
            options.replayFile = value();
        } else if (option == "--clock-start") {
            options.clockStart = parseNumber<uint32_t>(value(), "--clock-start");
        } else if (option == "--data") {
            options.dataDirectory = value();
        } else if (option == "--fail-display") {
            DisplayStep step;
            if (!displayStepFromName(value(), step)) {
                throw UsageError{"unknown display step '" + args[i] + "'"};
            }
            options.failingStep = step;
        } else {
            throw UsageError{"unknown option '" + option + "' (try --help)"};
        }
    }
    if (!options.replayFile.empty()) {
        if (!options.inputFile.empty() || options.monkeySeed || options.autoplaySeed || options.joystick ||
            options.clockStart != 0 ||
            options.failingStep || !options.settings.empty() || !options.midiLogFile.empty()) {
            throw UsageError{"--replay takes the inputs and --set from the recording; it cannot have "
                             "--input, --monkey, --autoplay, --joystick, --clock-start, --fail-display, --set "
                             "or --midi-log"};
        }
        if (options.window && options.headless) {
            throw UsageError{"--replay shows the game with --window, or not at all with --headless: give one"};
        }
        // Here --window asks to watch the replay; whether the game ran in a
        // window is the recording's to say.
        options.replayOnScreen = options.window;
        options.window = false;
        options.headless = true;
        options.replayCut = options.frames.has_value();
    }
    const bool headlessOnly = !options.inputFile.empty() || options.monkeySeed || options.autoplaySeed ||
                              options.joystick ||
                              !options.eventsFile.empty() || !options.screenshots.empty() ||
                              options.clockStart != 0 || options.failingStep;
    if (headlessOnly && !options.headless) {
        throw UsageError{"--input, --monkey, --autoplay, --joystick, --events, --screenshot, --clock-start "
                         "and --fail-display need --headless"};
    }
    if (options.headless && !options.frames && options.replayFile.empty()) {
        throw UsageError{"--headless needs --frames N"};
    }
    if (!options.inputFile.empty() && (options.monkeySeed || options.autoplaySeed)) {
        throw UsageError{"--input and --monkey or --autoplay both choose the inputs: give one"};
    }
    if (options.autoplayDifficulty && !options.autoplaySeed) {
        throw UsageError{"--autoplay-difficulty needs --autoplay"};
    }
    return options;
}

// The options a recording keeps: its game started with them.
void applyRecordedOptions(const Recording& recording, Options& options) {
    for (const Recording::Option& option : recording.options) {
        const std::vector<std::string>& words = option.words;
        try {
            if (words.size() == 1 && words[0] == "--window") {
                options.window = true;
            } else if (words.size() == 2 && words[0] == "--frames") {
                const uint32_t frames = parseNumber<uint32_t>(words[1], "--frames");
                if (frames == 0) throw UsageError{"--frames must be 1 or more"};
                if (!options.replayCut) options.frames = frames;
            } else if (words.size() == 2 && words[0] == "--set") {
                addSetting(options, words[1]);
            } else {
                throw UsageError{"unknown option '" + words[0] + "'"};
            }
        } catch (const UsageError& error) {
            throw UsageError{"recording '" + options.replayFile + "', line " + std::to_string(option.line) +
                             ": " + error.text};
        }
    }
}

void noteRecordedOptions(const Options& options, RecordingBackend& recording) {
    if (options.window) recording.noteAtStart("option --window");
    for (const std::string& setting : options.settingTexts) recording.noteAtStart("option --set " + setting);
    if (options.frames) recording.noteAtStart("option --frames " + std::to_string(*options.frames));
}

std::unique_ptr<HeadlessBackend> makeHeadless(const Options& options, std::shared_ptr<ReplaySource> replay) {
    HeadlessOptions headless;
    headless.replay = std::move(replay);
    headless.clockStart = options.clockStart;
    headless.joystickPresent = options.joystick;
    headless.failingStep = options.failingStep;
    headless.screenshots = options.screenshots;
    if (!options.inputFile.empty()) {
        std::ifstream file(options.inputFile);
        if (!file) throw UsageError{"cannot read the input script '" + options.inputFile + "'"};
        std::stringstream text;
        text << file.rdbuf();
        std::string error;
        if (!parseInputScript(text.str(), headless.script, error)) {
            throw UsageError{"input script '" + options.inputFile + "', " + error};
        }
    }
    if (options.autoplaySeed) {
        startAutoplayer(*options.autoplaySeed, options.autoplayDifficulty.value_or(0));
        headless.liveInput = autoplayInput;
    }
    if (options.monkeySeed) {
        startMonkey(*options.monkeySeed, options.autoplaySeed.has_value());
        headless.liveInput = monkeyInput;
    }
    return std::make_unique<HeadlessBackend>(std::move(headless));
}

// What a monkey run reached, and how fast it ran.
void reportMonkey(const HeadlessBackend& backend, double seconds) {
    uint64_t saves = 0, loads = 0;
    for (const RecordedEvent& event : backend.events()) {
        if (event.kind != RecordedKind::Message) continue;
        if (event.text == "ＳＡＶＥしました") ++saves;
        if (event.text.find("ＬＯＡＤしました") != std::string::npos) ++loads;
    }
    std::printf("%s| saves | %llu |\n| loads | %llu |\n\n", monkeyReport().c_str(),
                static_cast<unsigned long long>(saves), static_cast<unsigned long long>(loads));
    std::printf("%u frames in %.1f s: %.0f frames per second\n", framesRun, seconds,
                seconds > 0 ? framesRun / seconds : 0.0);
}

std::string eventLines(const HeadlessBackend& backend) {
    std::string out;
    for (const RecordedEvent& event : backend.events()) {
        out += "{\"frame\":" + std::to_string(event.frame) + ",";
        switch (event.kind) {
        case RecordedKind::Message:
            out += "\"event\":\"message\",\"caption\":" + jsonString(event.caption) +
                   ",\"text\":" + jsonString(event.text) +
                   ",\"icon\":" + (event.icon == BoxIcon::Error ? "\"error\"" : "\"information\"");
            break;
        case RecordedKind::Sound:
            out += "\"event\":\"sound\",\"effect\":" + jsonString(soundEffectName(event.effect));
            break;
        case RecordedKind::Debug:
            out += "\"event\":\"debug\",\"text\":" + jsonString(event.text);
            break;
        case RecordedKind::Music:
            out += "\"event\":\"music\",\"action\":" + jsonString(event.action);
            if (event.action == "open") out += ",\"file\":" + jsonString(event.text);
            if (event.action == "done") out += ",\"block\":" + std::to_string(event.effect);
            break;
        }
        out += "}\n";
    }
    return out;
}

// The state after the last frame, taken before the display is released.
std::string finalState;
RecordingBackend* activeRecording = nullptr;
ReplaySource* activeReplay = nullptr;
void takeFinalState() { finalState = takeFinalStateFor(framesRun, activeRecording, activeReplay); }

bool writeTextFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (!file) std::fprintf(stderr, "varnholt: cannot write '%s'\n", path.c_str());
    return static_cast<bool>(file);
}

}  // namespace

int runProgram(int argc, char** argv) {
    Options options;
    std::unique_ptr<HeadlessBackend> headless;
    std::shared_ptr<ReplaySource> replay;
    std::vector<Recording::File> replayFiles;
    try {
        options = parseOptions(argc, argv);
        if (options.help) {
            std::fputs(helpText, stdout);
            return 0;
        }
        if (!options.replayFile.empty()) {
            Recording recording;
            std::string error;
            if (!loadRecording(options.replayFile, recording, error)) throw UsageError{error};
            applyRecordedOptions(recording, options);
            if (!recording.endFrame && !options.replayCut) {
                throw UsageError{"recording '" + options.replayFile + "' has no end line: the run that wrote "
                                 "it did not finish; replay it with --frames N, N up to " +
                                 std::to_string(recording.lastFrame)};
            }
            replayFiles = recording.files;
            replay = std::make_shared<ReplaySource>(std::move(recording));
        }
        if (options.headless) headless = makeHeadless(options, replay);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "varnholt: %s\n", error.text.c_str());
        return badUsage;
    }

    HeadlessBackend* recorder = headless.get();
    std::unique_ptr<Backend> backend;
    if (headless && options.replayOnScreen) {
        backend = std::make_unique<ReplayScreenBackend>(std::move(headless), makeWindowBackend());
    } else if (headless) {
        backend = std::move(headless);
    } else {
        backend = makeWindowBackend();
    }
    RecordingBackend* recording = nullptr;
    if (!options.recordFile.empty()) {
        auto wrapper = std::make_unique<RecordingBackend>(std::move(backend), options.recordFile);
        if (!wrapper->isOpen()) {
            std::fprintf(stderr, "varnholt: cannot write the recording '%s'\n", options.recordFile.c_str());
            return 1;
        }
        recording = wrapper.get();
        backend = std::move(wrapper);
    }
    setPlatform(std::move(backend));
    activeRecording = recording;
    activeReplay = replay.get();
    setDataDirectory(options.dataDirectory);
    setWriteDirectory("");
    // Run from its build folder the game reads and writes in the working
    // directory; an installed one reads the data installed beside it and
    // keeps the player's files in their own data folder.
    if (options.dataDirectory.empty() && !holdsGameData("")) {
        const std::string installed = installedDataDirectory();
        if (!installed.empty()) {
            setDataDirectory(installed);
            setWriteDirectory(playerDataDirectory());
        }
    }
    std::string replayFolder;
    if (replay) {
        replayFolder = makeReplayFolder(replayFiles);
        if (replayFolder.empty()) {
            setPlatform(nullptr);
            return 1;
        }
        setWriteDirectory(replayFolder);
    }
    if (recording != nullptr) {
        noteRecordedOptions(options, *recording);
        noteGameFiles(*recording);
    }
    if (!options.midiLogFile.empty() && !platform().openMidiLog(options.midiLogFile)) {
        std::fprintf(stderr, "varnholt: cannot write the MIDI log '%s'\n", options.midiLogFile.c_str());
        setPlatform(nullptr);
        return 1;
    }
    if (options.window) displayMode = 1;
    if (options.frames) frameLimit = *options.frames;
    // A replay takes the state where the recorded run took it, wanted or not.
    const bool takesState = !options.dumpFile.empty() || replay;
    if (takesState) atFrameLimit = takeFinalState;
    if (!options.frameStatsFile.empty()) keepFrameStats();

    int exitCode = 0;
    const auto started = std::chrono::steady_clock::now();
    try {
        if (initGame(1, 0, 1)) {
            for (const auto& [variable, value] : options.settings) *variable = value;
            exitCode = runMessageLoop();
        }
        // A game that ended before its frame limit is dumped as it ended.
        if (takesState && finalState.empty()) takeFinalState();
        if (replay && !options.replayCut) replay->checkFinished();
    } catch (const ReplayDiverged& diverged) {
        std::fprintf(stderr, "varnholt: recording '%s', %s\n", options.replayFile.c_str(), diverged.what());
        setPlatform(nullptr);
        removeReplayFolder(replayFolder);
        return badUsage;
    } catch (const ReplayClosed& closed) {
        // Nothing is written: the run stopped part-way.
        std::fprintf(stderr, "varnholt: %s after %u frames\n", closed.what(), unsigned(framesRun));
        setPlatform(nullptr);
        removeReplayFolder(replayFolder);
        return closed.failed ? 1 : 0;
    }
    const std::chrono::duration<double> ran = std::chrono::steady_clock::now() - started;

    bool written = true;
    if (recording != nullptr && !recording->finish()) {
        std::fprintf(stderr, "varnholt: cannot write the recording '%s'\n", options.recordFile.c_str());
        written = false;
    }
    if (!options.dumpFile.empty()) written &= writeTextFile(options.dumpFile, finalState);
    if (!options.frameStatsFile.empty() && !writeFrameStats(options.frameStatsFile)) {
        std::fprintf(stderr, "varnholt: cannot write '%s'\n", options.frameStatsFile.c_str());
        written = false;
    }
    if (recorder != nullptr) {
        if (!options.eventsFile.empty()) {
            written &= writeTextFile(options.eventsFile, eventLines(*recorder));
        }
        if (options.monkeySeed) {
            checkMonkeyInvariants(framesRun);
            reportMonkey(*recorder, ran.count());
            if (!monkeyProblem().empty()) {
                std::fprintf(stderr, "varnholt: invariant broken %s\n", monkeyProblem().c_str());
                exitCode = 3;
            }
        }
        if (options.autoplaySeed && !options.monkeySeed) {
            std::printf("%s\n%u frames in %.1f s\n", autoplayReport().c_str(), framesRun, ran.count());
            if (!autoplayerFinished()) {
                std::fprintf(stderr, "varnholt: the autoplayer did not reach the ending in %u frames\n", framesRun);
                exitCode = 4;
            }
        }
        for (const std::string& problem : recorder->screenshotProblems()) {
            std::fprintf(stderr, "varnholt: %s\n", problem.c_str());
            written = false;
        }
    }
    if (!written && exitCode == 0) exitCode = 1;
    setPlatform(nullptr);
    removeReplayFolder(replayFolder);
    return exitCode;
}

}  // namespace varnholt
