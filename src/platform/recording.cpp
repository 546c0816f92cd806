#include "platform/recording.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <sstream>

namespace {

const char* const answeredCallNames[answeredCallCount] = {
    "createWindow", "displayStep", "paletteDevice", "openSoundDevice", "loadEffect", "primaryLost",
};

const char* const messageKindNames[] = {"Quit", "ActivateApp", "KeyDown", "Close", "Destroy", "Command"};

// A file of the game's own is a few bytes; this is far more than any holds.
constexpr uint32_t largestFile = 1u << 20;

template <typename Number>
bool parseNumber(const std::string& text, Number& out) {
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, out);
    return !text.empty() && error == std::errc() && at == end;
}

bool parseHex(const std::string& text, std::vector<uint8_t>& out) {
    if (text.size() % 2 != 0) return false;
    out.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        uint8_t byte = 0;
        auto [at, error] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
        if (error != std::errc() || at != text.data() + i + 2) return false;
        out.push_back(byte);
    }
    return true;
}

// A name the replay may write into its own folder: no path, nothing
// hidden, and no NUL, where the file system would end the name and write
// another file than the one named (or the folder itself).
bool plainFileName(const std::string& name) {
    return !name.empty() && name.front() != '.' && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}

struct LineFault {
    std::string why;
};

class LineReader {
public:
    LineReader(uint32_t frame, std::vector<std::string> words) : frame_(frame), words_(std::move(words)) {}

    bool more() const { return at_ < words_.size(); }
    const std::string& word(const char* what) {
        if (!more()) throw LineFault{std::string("missing ") + what};
        return words_[at_++];
    }
    template <typename Number>
    Number number(const char* what, Number least = 0) {
        const std::string& text = word(what);
        Number value{};
        if (!parseNumber(text, value) || value < least) {
            throw LineFault{std::string("bad ") + what + " '" + text + "'"};
        }
        return value;
    }
    void end() {
        if (more()) throw LineFault{"unexpected '" + words_[at_] + "'"};
    }
    void atStart(const char* kind) const {
        if (frame_ != 0) throw LineFault{std::string("'") + kind + "' lines belong to frame 0"};
    }
    std::vector<std::string> rest() {
        std::vector<std::string> words(words_.begin() + long(at_), words_.end());
        at_ = words_.size();
        return words;
    }

private:
    uint32_t frame_;
    std::vector<std::string> words_;
    size_t at_ = 0;
};

ScriptedInput heldTokens(LineReader& reader) {
    ScriptedInput input;
    while (reader.more()) {
        std::string why;
        if (!parseInputToken(reader.word("token"), input, why)) throw LineFault{why};
    }
    return input;
}

// One line after the header; `frame` is its first word, already read.
void parseLine(uint32_t frame, LineReader& reader, Recording& out) {
    const std::string kind = reader.more() ? reader.word("kind") : std::string();
    if (kind.empty() || kind == "at") {
        const uint32_t from = kind.empty() ? 1 : reader.number<uint32_t>("reading number", 1);
        if (!out.held.empty()) {
            const Recording::Held& last = out.held.back();
            if (last.frame == frame && last.fromReading >= from) {
                throw LineFault{"held inputs must move on to a later reading"};
            }
        }
        out.held.push_back({frame, from, heldTokens(reader)});
        return;
    }
    if (kind == "clock" || kind == "calendar") {
        if (!reader.more()) throw LineFault{"missing reading"};
        while (reader.more()) {
            if (kind == "clock") {
                out.clock.push_back({frame, reader.number<uint32_t>("clock reading")});
            } else {
                out.calendar.push_back({frame, reader.number<int64_t>("calendar reading", INT64_MIN)});
            }
        }
        return;
    }
    if (kind == "message") {
        const std::string& name = reader.word("message kind");
        WindowMessage message{};
        if (!messageKindFromName(name, message.kind)) throw LineFault{"unknown message kind '" + name + "'"};
        message.param = reader.number<int32_t>("message parameter", INT32_MIN);
        if (reader.more()) {
            const std::string& flag = reader.word("repeat");
            if (flag != "repeat" || message.kind != MessageKind::KeyDown) {
                throw LineFault{"unexpected '" + flag + "'"};
            }
            message.repeat = true;
        }
        out.messages.push_back({frame, message});
    } else if (kind == "wait") {
        out.messages.push_back({frame, std::nullopt});
    } else if (kind == "box") {
        out.boxes.push_back({frame, reader.number<int>("box answer", INT32_MIN)});
    } else if (kind == "fail" || kind == "lost") {
        AnsweredCall call = AnsweredCall::PrimaryLost;
        if (kind == "fail") {
            const std::string& name = reader.word("call");
            // A lost screen has a line of its own.
            const int index = indexOfName(answeredCallNames, name);
            if (index < 0 || index == int(AnsweredCall::PrimaryLost)) throw LineFault{"unknown call '" + name + "'"};
            call = static_cast<AnsweredCall>(index);
        }
        out.unusual.push_back({frame, call, reader.number<uint32_t>("call number", 1)});
    } else if (kind == "done") {
        const uint32_t block = reader.number<uint32_t>("block");
        out.notices.push_back({frame, block, reader.number<uint32_t>("step")});
    } else if (kind == "dump") {
        out.dumps.push_back({frame, reader.number<uint32_t>("step", 1)});
    } else if (kind == "option") {
        reader.atStart("option");
        if (!reader.more()) throw LineFault{"missing option"};
        out.options.push_back({0, reader.rest()});
    } else if (kind == "file") {
        reader.atStart("file");
        Recording::File file;
        file.name = reader.word("file name");
        if (!plainFileName(file.name)) throw LineFault{"bad file name '" + file.name + "'"};
        const std::string& size = reader.word("file size");
        file.present = size != "missing";
        if (file.present) {
            uint32_t bytes = 0;
            if (!parseNumber(size, bytes) || bytes > largestFile) throw LineFault{"bad file size '" + size + "'"};
            const std::string hex = bytes == 0 ? std::string() : reader.word("file bytes");
            if (!parseHex(hex, file.bytes) || file.bytes.size() != bytes) {
                throw LineFault{"the file's bytes are not " + size + " bytes of hex"};
            }
        }
        out.files.push_back(std::move(file));
    } else if (kind == "end") {
        out.endFrame = frame;
    } else {
        // A held line whose first token is a key.
        ScriptedInput input;
        std::string why;
        if (!parseInputToken(kind, input, why)) throw LineFault{why};
        ScriptedInput more = heldTokens(reader);
        input.keys.insert(input.keys.end(), more.keys.begin(), more.keys.end());
        if (more.joystickSet) {
            input.joystickSet = true;
            input.joyX = more.joyX;
            input.joyY = more.joyY;
            input.joyButtons = more.joyButtons;
        }
        if (!out.held.empty() && out.held.back().frame == frame && out.held.back().fromReading >= 1) {
            throw LineFault{"held inputs must move on to a later reading"};
        }
        out.held.push_back({frame, 1, input});
    }
    reader.end();
}

}  // namespace

const char* answeredCallName(AnsweredCall call) { return answeredCallNames[static_cast<int>(call)]; }

const char* messageKindName(MessageKind kind) { return messageKindNames[static_cast<int>(kind)]; }

bool messageKindFromName(const std::string& name, MessageKind& out) {
    const int index = indexOfName(messageKindNames, name);
    if (index >= 0) out = static_cast<MessageKind>(index);
    return index >= 0;
}

bool parseRecording(const std::string& text, Recording& out, std::string& error) {
    out = Recording{};
    size_t start = 0;
    int lineNumber = 0;
    bool sawFrame = false;
    uint32_t previousFrame = 0;
    try {
        while (start < text.size() || lineNumber == 0) {
            ++lineNumber;
            const size_t newline = text.find('\n', start);
            if (newline == std::string::npos) {
                throw LineFault{text.empty() ? "empty, not a recording"
                                             : "cut off before its end: the recording is truncated"};
            }
            std::string raw = text.substr(start, newline - start);
            start = newline + 1;
            raw = raw.substr(0, raw.find('#'));
            std::istringstream stream(raw);
            std::vector<std::string> words{std::istream_iterator<std::string>(stream),
                                           std::istream_iterator<std::string>()};
            if (lineNumber == 1) {
                int version = 0;
                if (words.size() != 2 || words[0] != recordingMagic || !parseNumber(words[1], version)) {
                    throw LineFault{std::string("not a recording (it must begin '") + recordingMagic + " " +
                                    std::to_string(recordingVersion) + "')"};
                }
                if (version != recordingVersion) {
                    throw LineFault{"format " + words[1] + " is not the format " +
                                    std::to_string(recordingVersion) + " this game reads"};
                }
                continue;
            }
            if (words.empty()) continue;
            if (out.endFrame) throw LineFault{"a line after the end line"};
            uint32_t frame = 0;
            if (!parseNumber(words[0], frame)) throw LineFault{"a frame number must come first"};
            if (sawFrame && frame < previousFrame) {
                throw LineFault{"frame " + words[0] + " comes after frame " + std::to_string(previousFrame)};
            }
            sawFrame = true;
            previousFrame = frame;
            out.lastFrame = std::max(out.lastFrame, frame);
            const size_t options = out.options.size();
            LineReader reader(frame, std::vector<std::string>(words.begin() + 1, words.end()));
            parseLine(frame, reader, out);
            if (out.options.size() != options) out.options.back().line = lineNumber;
        }
    } catch (const LineFault& fault) {
        error = "line " + std::to_string(lineNumber) + ": " + fault.why;
        return false;
    }
    return true;
}

ReplaySource::ReplaySource(Recording recording)
    : recording_(std::move(recording)), unusualUsed_(recording_.unusual.size(), false) {}

void ReplaySource::diverged(const std::string& what) const {
    const std::string last = std::to_string(recording_.lastFrame);
    if (!recording_.endFrame && frame_ > recording_.lastFrame) {
        throw ReplayDiverged("the recording stops at frame " + last +
                             " without its end line: replay it with --frames " + last + " or fewer");
    }
    throw ReplayDiverged("frame " + std::to_string(frame_) + ": " + what +
                         " (the game went another way than the recorded run)");
}

void ReplaySource::checkFrameUsed() {
    auto left = [this](const auto& entries, size_t at) { return at < entries.size() && entries[at].frame <= frame_; };
    if (left(recording_.held, heldAt_)) diverged("the recording holds more key and joystick readings");
    if (left(recording_.clock, clockAt_)) diverged("the recording holds more clock readings");
    if (left(recording_.calendar, calendarAt_)) diverged("the recording holds more calendar readings");
    if (left(recording_.messages, messageAt_)) diverged("the recording holds more window messages");
    if (left(recording_.boxes, boxAt_)) diverged("the recording holds more message-box answers");
    if (left(recording_.notices, noticeAt_)) diverged("the recording holds more of the music");
    for (size_t i = 0; i < recording_.unusual.size() && recording_.unusual[i].frame <= frame_; ++i) {
        if (!unusualUsed_[i]) {
            diverged(std::string("the recording holds a call of ") + answeredCallName(recording_.unusual[i].call) +
                     " that the game did not make");
        }
    }
}

void ReplaySource::step() {
    ++steps_;
    auto& notices = recording_.notices;
    while (noticeAt_ < notices.size() && notices[noticeAt_].frame == frame_ && notices[noticeAt_].step <= steps_) {
        const uint32_t block = notices[noticeAt_].block;
        if (music_ == nullptr || !music_->finishFrontBlock(block)) {
            diverged("the music plays no block " + std::to_string(block) + " to finish");
        }
        ++noticeAt_;
    }
}

void ReplaySource::startFrame() {
    checkFrameUsed();
    ++frame_;
    if (!recording_.endFrame && frame_ > recording_.lastFrame) diverged("");
    if (recording_.endFrame && frame_ > *recording_.endFrame) {
        diverged("the recorded run ended after frame " + std::to_string(*recording_.endFrame));
    }
    steps_ = 0;
    readings_ = 0;
    std::fill(std::begin(answered_), std::end(answered_), 0);
    step();
}

bool ReplaySource::takeMessage(std::vector<WindowMessage>& posted, WindowMessage& message) {
    bool taken = false;
    if (!posted.empty()) {
        message = posted.front();
        posted.erase(posted.begin());
        taken = true;
    } else if (messageAt_ < recording_.messages.size() && recording_.messages[messageAt_].frame == frame_ &&
               recording_.messages[messageAt_].value) {
        message = *recording_.messages[messageAt_++].value;
        taken = true;
    }
    step();
    return taken;
}

void ReplaySource::waitMessage() {
    if (messageAt_ >= recording_.messages.size() || recording_.messages[messageAt_].frame != frame_ ||
        recording_.messages[messageAt_].value) {
        diverged("the game waits for a window message where the recorded run did not");
    }
    ++messageAt_;
    step();
}

const ScriptedInput* ReplaySource::heldNow() {
    ++readings_;
    const auto& held = recording_.held;
    while (heldAt_ < held.size() && (held[heldAt_].frame < frame_ ||
                                     (held[heldAt_].frame == frame_ && held[heldAt_].fromReading <= readings_))) {
        ++heldAt_;
    }
    return heldAt_ == 0 ? nullptr : &held[heldAt_ - 1].input;
}

void ReplaySource::readKeyboard(uint8_t state[256]) {
    std::fill(state, state + 256, uint8_t{0});
    if (const ScriptedInput* held = heldNow()) {
        for (int key : held->keys) state[key] = keyDownBit;
    }
    step();
}

uint32_t ReplaySource::queryJoystick(JoyInfo& info) {
    const ScriptedInput* held = heldNow();
    uint32_t result = joyUnplugged;
    if (held != nullptr && held->joystickSet) {
        info.x = held->joyX;
        info.y = held->joyY;
        info.buttons = held->joyButtons;
        result = joyNoError;
    }
    step();
    return result;
}

template <typename Value>
Value ReplaySource::nextOfFrame(const std::vector<Recording::Entry<Value>>& entries, size_t& at,
                                const char* otherwise) {
    if (at >= entries.size() || entries[at].frame != frame_) diverged(otherwise);
    return entries[at++].value;
}

uint32_t ReplaySource::clockMs() {
    const uint32_t now =
        nextOfFrame(recording_.clock, clockAt_, "the game reads the clock more often than the recorded run did");
    step();
    return now;
}

void ReplaySource::waitMs() { step(); }

int64_t ReplaySource::calendarSeconds() {
    const int64_t now = nextOfFrame(recording_.calendar, calendarAt_,
                                    "the game reads the calendar more often than the recorded run did");
    step();
    return now;
}

int ReplaySource::messageBox() {
    return nextOfFrame(recording_.boxes, boxAt_, "the game shows a message box that the recorded run did not");
}

bool ReplaySource::answer(AnsweredCall call, bool usual) {
    const uint32_t nth = ++answered_[static_cast<int>(call)];
    for (size_t i = 0; i < recording_.unusual.size() && recording_.unusual[i].frame <= frame_; ++i) {
        const Recording::Unusual& entry = recording_.unusual[i];
        if (!unusualUsed_[i] && entry.frame == frame_ && entry.call == call && entry.nth == nth) {
            unusualUsed_[i] = true;
            return !usual;
        }
    }
    return usual;
}

bool ReplaySource::finalStateTakenHere() const {
    const auto& dumps = recording_.dumps;
    return dumpAt_ < dumps.size() && dumps[dumpAt_].frame == frame_ && dumps[dumpAt_].value == steps_ + 1;
}

void ReplaySource::finalStateTaken() {
    if (!finalStateTakenHere()) return;
    ++dumpAt_;
    step();
}

void ReplaySource::checkFinished() {
    checkFrameUsed();
    if (recording_.endFrame && frame_ != *recording_.endFrame) {
        diverged("the game ended here, the recorded run after frame " + std::to_string(*recording_.endFrame));
    }
}
