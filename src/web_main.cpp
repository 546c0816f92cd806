// Varnholt in a browser: the program entry, the same as on the desktop, and
// what the page (web/page.js) may ask of the running game.
#include <emscripten.h>

#include <string>

#include "app/command_line.h"
#include "app/frame_driver.h"
#include "app/state_dump.h"

namespace {

EM_JS(void, pageProgramEnded, (int exitCode), { Module.page.programEnded(exitCode); });

}  // namespace

// The game's variables as the --dump-state JSON. Called by the page at any
// time between two frames; the text lives until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* varnholtState() {
    static std::string state;
    state = varnholt::dumpState(varnholt::framesRun);
    return state.c_str();
}

int main(int argc, char** argv) {
    const int exitCode = varnholt::runProgram(argc, argv);
    pageProgramEnded(exitCode);
    return exitCode;
}
