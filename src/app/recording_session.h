// What --record and --replay add to a run of the game: the files the game
// reads besides its data, and the final state taken where the recorded run
// took it.
#pragma once

#include <string>
#include <vector>

#include "platform/recording.h"
#include "platform/recording_backend.h"

namespace varnholt {

// Reads and checks the recording at `path`. On a fault answers false with
// one line in `error` ("recording 'F', line N: why").
bool loadRecording(const std::string& path, Recording& recording, std::string& error);

// Called by the command line once the write folder is chosen, before the
// game starts: notes the saved game and the score as the run finds them,
// since the game reads them as it goes.
void noteGameFiles(RecordingBackend& recording);

// A write folder of the replay's own, holding the saved game and the score
// as the recorded run found them: the replay reads what that run read and
// never touches the player's files. Answers the folder, or empty when it
// cannot be made (the reason is printed).
std::string makeReplayFolder(const std::vector<Recording::File>& files);
void removeReplayFolder(const std::string& folder);

// The state dump after the last frame. With a recording going, the music's
// notices may come on their own thread while it is taken: it is taken
// again until none did, and its place among the game's steps is noted. A
// replay takes it wherever the command line would, and counts it where the
// recorded run took it. Either may be null.
std::string takeFinalStateFor(uint32_t frames, RecordingBackend* recording, ReplaySource* replay);

}  // namespace varnholt
