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

bool parseInputScript(const std::string& text, std::vector<ScriptedInput>& lines,
                      std::string& error) {
    lines.clear();
    std::istringstream stream(text);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(stream, raw)) {
        ++lineNumber;
        raw = raw.substr(0, raw.find('#'));
        std::istringstream words(raw);
        std::string word;
        if (!(words >> word)) continue;
        ScriptedInput line;
        if (!parseNumber(word, line.fromFrame) || line.fromFrame < 1) {
            error = "line " + std::to_string(lineNumber) + ": a frame number of 1 or more must come first";
            return false;
        }
        while (words >> word) {
            if (word.rfind("joy=", 0) == 0) {
                if (!parseJoystick(word.substr(4), line)) {
                    error = "line " + std::to_string(lineNumber) + ": bad joystick token '" + word +
                            "' (want joy=X,Y,BUTTONS with X and Y 0..65535)";
                    return false;
                }
                continue;
            }
            auto known = std::find_if(std::begin(keyNames), std::end(keyNames),
                                      [&](const KeyName& key) { return word == key.name; });
            if (known == std::end(keyNames)) {
                error = "line " + std::to_string(lineNumber) + ": unknown input '" + word + "'";
                return false;
            }
            line.keys.push_back(known->code);
        }
        lines.push_back(std::move(line));
    }
    std::stable_sort(lines.begin(), lines.end(), [](const ScriptedInput& a, const ScriptedInput& b) {
        return a.fromFrame < b.fromFrame;
    });
    return true;
}

const ScriptedInput* inputAtFrame(const std::vector<ScriptedInput>& lines, uint32_t frame) {
    const ScriptedInput* inForce = nullptr;
    for (const ScriptedInput& line : lines) {
        if (line.fromFrame > frame) break;
        inForce = &line;
    }
    return inForce;
}
