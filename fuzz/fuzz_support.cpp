#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/game_state.h"
#include "audio/music_player.h"
#include "platform/files.h"

namespace fuzz_support {

namespace {

std::string scratchFolder;

void removeScratchFolder() {
    if (scratchFolder.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(scratchFolder, ignored);
}

}  // namespace

void enterScratchFolder(const char* name) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                          "/varnholt_fuzz_" + name + "_XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr || ::chdir(pattern.c_str()) != 0) {
        std::perror(pattern.c_str());
        std::abort();
    }
    scratchFolder = pattern;
    std::atexit(removeScratchFolder);
}

HeadlessBackend& freshHeadlessGame() {
    using namespace varnholt;
    // The music player's state is process-wide: its piece is closed on the
    // back end whose stream it opened.
    closeMusic();
    stopMusic();
    auto backend = std::make_unique<HeadlessBackend>(HeadlessOptions{});
    HeadlessBackend& installed = *backend;
    setPlatform(std::move(backend));
    resetGameState();
    setDataDirectory("");
    return installed;
}

void writeFile(const char* path, const uint8_t* data, size_t size) {
    // A new file rather than an emptied one: a file system may flush a
    // truncated file to disk on close, which would slow every input.
    ::unlink(path);
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) ||
        std::fclose(file) != 0) {
        std::perror(path);
        std::abort();
    }
}

}  // namespace fuzz_support
