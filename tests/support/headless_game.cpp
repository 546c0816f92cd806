#include "support/headless_game.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/random.h"
#include "audio/music_player.h"
#include "display/display.h"
#include "display/palette.h"
#include "platform/files.h"

namespace testing_support {

HeadlessBackend& freshHeadlessGame(HeadlessOptions options) {
    using namespace varnholt;
    if (directDraw || primarySurface) releaseDisplay();
    // The music player's state is process-wide: close it on the back end
    // that opened it, and clear its flags.
    closeMusic();
    stopMusic();
    auto backend = std::make_unique<HeadlessBackend>(std::move(options));
    HeadlessBackend& installed = *backend;
    setPlatform(std::move(backend));
    resetGameState();
    for (PaletteEntry& entry : paletteCopy) entry = {};
    lastFrameTime = 0;
    firstFrameTaken = false;
    framesRun = 0;
    randomState = 0;
    setDataDirectory(assetDirectory());
    return installed;
}

std::string assetDirectory() { return VARNHOLT_ASSET_DIR; }

std::string scratchDirectory(const std::string& name) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("varnholt_test_" + name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string();
}

std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

int runProgramIn(const std::string& folder, const std::string& arguments, std::string& errors,
                 const std::string& data) {
    const std::string command = "cd '" + folder + "' && '" VARNHOLT_PROGRAM "' --data '" + data + "' " +
                                arguments + " 2> errors.txt";
    const int status = std::system(command.c_str());
    errors = readText(folder + "/errors.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testing_support
