#include "support/headless_game.h"

#include <unistd.h>

#include <filesystem>
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

}  // namespace testing_support
