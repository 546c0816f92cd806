#include "platform/headless/input_script.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "platform/platform.h"

namespace {

struct KeyName {
    const char* name;
    int code;
};

const KeyName keyNames[] = {
    {"Up", vk::Up},     {"Down", vk::Down}, {"Left", vk::Left}, {"Right", vk::Right},
    {"X", vk::X},       {"C", vk::C},       {"Z", vk::Z},       {"V", vk::V},
    {"Enter", vk::Return}, {"Esc", vk::Escape}, {"Pause", vk::Pause},
    {"F1", vk::F1},     {"F2", vk::F1 + 1}, {"F3", vk::F1 + 2}, {"F4", vk::F1 + 3},
    {"F5", vk::F1 + 4}, {"F6", vk::F1 + 5}, {"F7", vk::F1 + 6}, {"F8", vk::F8},
};

template <typename Number>
bool parseNumber(const std::string& text, Number& out) {
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, out);
    return error == std::errc() && at == end;
}

bool parseJoystick(const std::string& value, ScriptedInput& line) {
    std::string parts[3];
    int part = 0;
    for (char c : value) {
        if (c == ',') {
            if (++part > 2) return false;
        } else {
            parts[part] += c;
        }
    }
    if (part != 2 || !parseNumber(parts[0], line.joyX) || !parseNumber(parts[1], line.joyY) ||
        !parseNumber(parts[2], line.joyButtons) || line.joyX > 65535 || line.joyY > 65535) {
        return false;
    }
    line.joystickSet = true;
    return true;
}

}  // namespace

bool parseInputToken(const std::string& word, ScriptedInput& line, std::string& error) {
    if (word.rfind("joy=", 0) == 0) {
        if (parseJoystick(word.substr(4), line)) return true;
        error = "bad joystick token '" + word + "' (want joy=X,Y,BUTTONS with X and Y 0..65535)";
        return false;
    }
    if (word.rfind("key=", 0) == 0) {
        int code = 0;
        if (parseNumber(word.substr(4), code) && code > 0 && code < 256) {
            line.keys.push_back(code);
            return true;
        }
        error = "bad key token '" + word + "' (want key=CODE with CODE 1..255)";
        return false;
    }
    auto known = std::find_if(std::begin(keyNames), std::end(keyNames),
                              [&](const KeyName& key) { return word == key.name; });
    if (known == std::end(keyNames)) {
        error = "unknown input '" + word + "'";
        return false;
    }
    line.keys.push_back(known->code);
    return true;
}

std::string inputKeyToken(int code) {
    for (const KeyName& key : keyNames) {
        if (key.code == code) return key.name;
    }
    return "key=" + std::to_string(code);
}

bool parseInputScript(const std::string& text, std::vector<ScriptedInput>& lines,
                      std::string& error) {
    lines.clear();
    std::istringstream stream(text);
    // One stream of words for all the lines: making a stream costs more
    // than reading a short line from it.
    std::istringstream words;
    std::string raw;
    int lineNumber = 0;
    while (std::getline(stream, raw)) {
        ++lineNumber;
        if (const size_t comment = raw.find('#'); comment != std::string::npos) raw.resize(comment);
        words.clear();
        words.str(raw);
        std::string word;
        if (!(words >> word)) continue;
        ScriptedInput line;
        if (!parseNumber(word, line.fromFrame) || line.fromFrame < 1) {
            error = "line " + std::to_string(lineNumber) + ": a frame number of 1 or more must come first";
            return false;
        }
        while (words >> word) {
            std::string why;
            if (!parseInputToken(word, line, why)) {
                error = "line " + std::to_string(lineNumber) + ": " + why;
                return false;
            }
        }
        lines.push_back(std::move(line));
    }
    // Scripts are mostly written in frame order already.
    const auto earlier = [](const ScriptedInput& a, const ScriptedInput& b) {
        return a.fromFrame < b.fromFrame;
    };
    if (!std::is_sorted(lines.begin(), lines.end(), earlier)) {
        std::stable_sort(lines.begin(), lines.end(), earlier);
    }
    return true;
}

const ScriptedInput* inputAtFrame(const std::vector<ScriptedInput>& lines, uint32_t frame) {
    // The last line starting at or before `frame`: a search rather than a
    // walk, since the back end asks every frame and a script may be long.
    const auto after = std::upper_bound(
        lines.begin(), lines.end(), frame,
        [](uint32_t at, const ScriptedInput& line) { return at < line.fromFrame; });
    return after == lines.begin() ? nullptr : &*(after - 1);
}
