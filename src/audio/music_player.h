// The background music player: one ".mds" piece open at a time, its blocks
// copied into buffers when it is opened, played from its first block and
// looped.
//
// A piece of 15 blocks or fewer is queued whole and queued again each time
// its last block finishes; a longer one is fed 8 blocks at a time, 16
// ahead, and restarted after its last block. The stream's notices arrive
// on another thread: one lock guards the player's state, every start
// counts a new round, and notices from an earlier round are ignored.
#pragma once

#include <cstdint>

namespace varnholt {

// Called at start-up and by the frame driver when a fade-in of play ends,
// with a path relative to the data folder. Closes the open piece, reads
// the new one and sets the stream up for it without starting it. Answers
// 1, or 0 when the file could not be read (the reader says why).
int openMusic(const char* path, int32_t window);
// Called by the frame driver every frame the music should play, and by
// the player itself when a long piece loops. Answers 0 and does nothing
// while music plays; else queues the first blocks, starts the stream and
// answers 1.
int startMusic(int loop);
// Called by the frame driver during fades, after death and in the ending.
// Answers 0 when no stream is open.
int stopMusic();
// Called by openMusic and at the end of the program: stops, resets and
// closes the stream and frees the piece. Answers 0 when no stream is open.
int closeMusic();

// The stream's notification that it has finished with block `user` of
// round `round`. Called by the back end's notifier thread.
void onBlockDone(uint32_t message, uint32_t user, uint32_t round);

// What the player holds, for the state dump and tests.
struct MusicState {
    bool streamOpen;
    uint32_t timeFormat, maxBufferSize, blockCount;
    int manyBlocks, musicPlaying, musicLoop;
    uint32_t nextBlock, round;
};
MusicState musicState();

}  // namespace varnholt
