#include "app/recording_session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/save_file.h"
#include "app/score_file.h"
#include "app/state_dump.h"
#include "platform/files.h"

namespace varnholt {

namespace {

const char* const gameFiles[] = {saveFileName, scoreFileName};

}  // namespace

bool loadRecording(const std::string& path, Recording& recording, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read the recording '" + path + "'";
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    if (!parseRecording(text.str(), recording, error)) {
        error = "recording '" + path + "', " + error;
        return false;
    }
    return true;
}

void noteGameFiles(RecordingBackend& recording) {
    static const char hex[] = "0123456789ABCDEF";
    for (const char* name : gameFiles) {
        std::vector<uint8_t> bytes;
        std::string note = std::string("file ") + name;
        if (!readWholeFile(writePath(name), bytes)) {
            note += " missing";
        } else {
            note += " " + std::to_string(bytes.size());
            if (!bytes.empty()) note += ' ';
            for (uint8_t byte : bytes) {
                note += hex[byte >> 4];
                note += hex[byte & 15];
            }
        }
        recording.noteAtStart(note);
    }
}

std::string makeReplayFolder(const std::vector<Recording::File>& files) {
    std::error_code ignored;
    std::string pattern = (std::filesystem::temp_directory_path(ignored) / "varnholt-replay-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::fprintf(stderr, "varnholt: cannot make a folder for the replay's files in '%s'\n", pattern.c_str());
        return {};
    }
    for (const Recording::File& file : files) {
        if (!file.present) continue;
        std::ofstream out(pattern + "/" + file.name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.bytes.data()), std::streamsize(file.bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "varnholt: cannot write the replay's file '%s'\n", file.name.c_str());
            removeReplayFolder(pattern);
            return {};
        }
    }
    return pattern;
}

void removeReplayFolder(const std::string& folder) {
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
}

std::string takeFinalStateFor(uint32_t frames, RecordingBackend* recording, ReplaySource* replay) {
    std::string state;
    if (replay != nullptr) {
        // Only the game's own thread hands over the music in a replay; a
        // recording of it notes the state where the replayed run did.
        state = dumpState(frames);
        if (replay->finalStateTakenHere()) {
            if (recording != nullptr) recording->markFinalState(recording->noticesSoFar());
            replay->finalStateTaken();
        }
        return state;
    }
    for (;;) {
        const uint64_t before = recording != nullptr ? recording->noticesSoFar() : 0;
        state = dumpState(frames);
        if (recording == nullptr || recording->markFinalState(before)) break;
    }
    return state;
}

}  // namespace varnholt
