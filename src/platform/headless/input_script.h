// The input script of a headless run: which keys and joystick state are
// held from which frame on.
//
//   FRAME TOKEN…     from FRAME on (frame 1 is the first frame) exactly
//                    these inputs are held, until the next line
//   # comment        anywhere on a line
//
// Tokens: Up Down Left Right X C Z V Enter Esc Pause F1 … F8, key=CODE
// for any other virtual-key code (1..255), and joy=X,Y,BUTTONS for
// joystick 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScriptedInput {
    uint32_t fromFrame = 0;
    std::vector<int> keys;  // virtual-key codes held
    bool joystickSet = false;
    uint32_t joyX = 32767;
    uint32_t joyY = 32767;
    uint32_t joyButtons = 0;
};

// Parses the script's text; lines come out in frame order. On a bad line
// answers false and says which line and why in `error`.
bool parseInputScript(const std::string& text, std::vector<ScriptedInput>& lines,
                      std::string& error);

// Adds one token of a line to `line`; on a bad token answers false and
// says why in `error`. Recordings share the tokens, so they read them here.
bool parseInputToken(const std::string& word, ScriptedInput& line, std::string& error);
// The token that holds key `code`: its name, or key=CODE.
std::string inputKeyToken(int code);

// The line in force at `frame`, or null before the first line. The lines
// must be in frame order, as parseInputScript gives them.
const ScriptedInput* inputAtFrame(const std::vector<ScriptedInput>& lines, uint32_t frame);
