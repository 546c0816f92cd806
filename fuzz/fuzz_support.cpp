#include "fuzz_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/random.h"
#include "app/save_file.h"
#include "audio/music_player.h"
#include "display/display.h"
#include "display/palette.h"
#include "platform/files.h"

namespace fuzz_support {

namespace {

std::string scratchFolder;

void removeScratchFolder() {
    if (scratchFolder.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(scratchFolder, ignored);
}

bool wholeGameReset = false;

// The file the last input went into, kept open from input to input.
std::string inputPath;
int inputFile = -1;

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

FreshGame::FreshGame(HeadlessOptions options, Reset reset) {
    using namespace varnholt;
    auto backend = std::make_unique<HeadlessBackend>(std::move(options));
    backend_ = backend.get();
    setPlatform(std::move(backend));
    if (reset == Reset::WholeGame) {
        resetGameState();
        std::memset(paletteCopy, 0, sizeof paletteCopy);
        lastFrameTime = 0;
        firstFrameTaken = false;
        framesRun = 0;
        frameLimit = 0;
        atFrameLimit = nullptr;
        randomState = 0;
        wholeGameReset = true;
    } else if (!wholeGameReset) {
        resetGameState();
        wholeGameReset = true;
    } else {
#define FUZZ_RESET(name, start) name = start;
        VARNHOLT_GAME_STATE(FUZZ_RESET)
#undef FUZZ_RESET
        std::memset(saveRecord, 0, sizeof saveRecord);
    }
    setDataDirectory("");
}

FreshGame::~FreshGame() {
    using namespace varnholt;
    // The sprite sheets and the back buffer would otherwise live on until
    // the next start-up. The music player's state is process-wide: its
    // piece is closed on the back end whose stream it opened, and a start
    // made without a stream leaves flags that only a stop clears.
    releaseDisplay();
    closeMusic();
    stopMusic();
    setPlatform(nullptr);
}

void writeFile(const char* path, const uint8_t* data, size_t size) {
    // Rewriting the same file in place costs two calls; a new file for
    // every input would cost the file system an inode made and freed. A
    // reader that replaced the file (renamed another over it) left the
    // descriptor on one without a name, which is then given up.
    struct stat info {};
    if (inputFile >= 0 &&
        (inputPath != path || ::fstat(inputFile, &info) != 0 || info.st_nlink == 0)) {
        ::close(inputFile);
        inputFile = -1;
    }
    if (inputFile < 0) {
        inputPath = path;
        inputFile = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    }
    // Written first and cut to length after: a file emptied before it is
    // written may be flushed to disk on close (ext4 does so), which would
    // slow every input.
    bool written = inputFile >= 0;
    for (size_t done = 0; written && done < size;) {
        const ssize_t put = ::pwrite(inputFile, data + done, size - done, off_t(done));
        written = put > 0;
        if (written) done += size_t(put);
    }
    if (!written || ::ftruncate(inputFile, off_t(size)) != 0) {
        std::perror(path);
        std::abort();
    }
}

}  // namespace fuzz_support
