// The input script of a headless run, as any text: refused with the line
// named, or parsed into lines in frame order that the frames can look up.
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/headless/input_script.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::enterScratchFolder("input_script");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptedInput> lines;
    std::string error;
    if (!parseInputScript(text, lines, error)) {
        if (error.rfind("line ", 0) != 0) std::abort();
        return 0;
    }
    uint32_t previous = 0;
    for (const ScriptedInput& line : lines) {
        if (line.fromFrame < 1 || line.fromFrame < previous) std::abort();
        for (int key : line.keys) {
            if (key < 0 || key > 255) std::abort();
        }
        const ScriptedInput* inForce = inputAtFrame(lines, line.fromFrame);
        if (inForce == nullptr || inForce->fromFrame != line.fromFrame) std::abort();
        previous = line.fromFrame;
    }
    if (!lines.empty() && inputAtFrame(lines, lines.front().fromFrame - 1) != nullptr) std::abort();
    return 0;
}
