#include "audio/music_player.h"

#include <mutex>
#include <string>
#include <vector>

#include "app/little_endian.h"
#include "audio/music_file.h"
#include "platform/files.h"
#include "platform/midi_stream.h"
#include "platform/platform.h"

namespace varnholt {

namespace {

constexpr uint32_t firstQueued = 16;  // blocks queued by a start, at the most
constexpr uint32_t feedSize = 8;      // blocks fed after every 8th finished block
constexpr uint32_t blockHeadBytes = 8;

// The player's state, all guarded by `lock`.
std::mutex lock;
bool streamOpen = false;
MdsFormat format{};
uint32_t blockCount = 0;
int manyBlocks = 0;
std::vector<std::vector<uint8_t>> buffers;
std::vector<MidiBlock> headers;
int musicPlaying = 0;
int musicLoop = 0;
uint32_t nextBlock = 0;
uint32_t round = 0;  // counts the starts; a notice carries the round it was queued in

MidiStream& stream() { return platform().midiStream(); }

void report(bool succeeded, const char* call) {
    if (!succeeded) platform().debugOutput(call);
}

void queueBlock(uint32_t index) {
    MidiBlock& header = headers[index];
    header.tag = round;
    report(stream().prepare(header), "midiOutPrepareHeader()");
    report(stream().queue(header), "midiStreamOut()");
}

bool canQueue() { return streamOpen && !headers.empty(); }

int startLocked(int loop) {
    if (musicPlaying == 1) return 0;
    musicPlaying = 1;
    musicLoop = loop;
    nextBlock = 0;
    round += 1;
    for (uint32_t i = 0; i < firstQueued && (manyBlocks == 1 || i < blockCount); ++i) {
        if (canQueue() && i < blockCount) queueBlock(i);
        nextBlock += 1;
    }
    if (streamOpen) report(stream().restart(), "midiStreamRestart()");
    platform().recordMusic("start", "", -1);
    return 1;
}

int stopLocked() {
    const bool wasPlaying = musicPlaying == 1;
    // Cleared first, so that the notices of the blocks the stop returns do
    // nothing.
    musicPlaying = 0;
    musicLoop = 0;
    // A new round, too: the blocks the stop hands back belong to the old one.
    round += 1;
    if (!streamOpen) return 0;
    report(stream().stop(), "midiStreamStop()");
    if (wasPlaying) platform().recordMusic("stop", "", -1);
    return 1;
}

int closeLocked() {
    if (!streamOpen) {
        // Nothing plays, but a piece read without a stream is still freed.
        buffers.clear();
        headers.clear();
        blockCount = 0;
        manyBlocks = 0;
        return 0;
    }
    stopLocked();
    report(stream().reset(), "midiOutReset()");
    for (MidiBlock& header : headers) report(stream().unprepare(header), "midiOutUnprepareHeader()");
    report(stream().close(), "midiStreamClose()");
    streamOpen = false;
    // The stream copied what it played: nothing it holds points here.
    buffers.clear();
    headers.clear();
    blockCount = 0;
    manyBlocks = 0;
    return 1;
}

// A long piece: 8 more blocks after every 8th, a restart after the last.
int feedBlocks(uint32_t n) {
    if (musicPlaying == 0) return 0;
    if (n % feedSize == 0) {
        for (uint32_t k = 0; k < feedSize && nextBlock < blockCount; ++k) {
            if (canQueue()) queueBlock(nextBlock);
            nextBlock += 1;
        }
    }
    if (n >= blockCount) {
        musicPlaying = 0;
        if (musicLoop == 1) startLocked(1);
    }
    return 1;
}

// A short piece: when its last block finishes, all of it again, seamlessly.
int requeueAllBlocks(uint32_t n) {
    if (musicPlaying == 0) return 0;
    if (n < blockCount) return 1;
    if (musicLoop == 1) {
        for (uint32_t i = 0; i < blockCount && canQueue(); ++i) queueBlock(i);
    } else {
        musicPlaying = 0;
    }
    return 1;
}

void notice(uint32_t message, uint32_t user, uint32_t tag) { onBlockDone(message, user, tag); }

}  // namespace

int openMusic(const char* path, int32_t window) {
    std::lock_guard<std::mutex> guard(lock);
    closeLocked();
    // A start made while no stream was open left the flags of a piece that
    // never played; the new piece waits for its own start all the same.
    musicPlaying = 0;
    musicLoop = 0;
    std::vector<uint8_t> data;
    uint32_t count = 0;
    if (!readMusicFile(dataPath(path).c_str(), data, format, count, window)) return 0;
    blockCount = count;
    manyBlocks = blockCount >= firstQueued ? 1 : 0;
    buffers.assign(blockCount, std::vector<uint8_t>());
    headers.assign(blockCount, MidiBlock{});
    size_t at = 0;
    for (uint32_t i = 0; i < blockCount; ++i) {
        const uint32_t bytes = readU32(data.data() + at + 4);
        buffers[i].assign(format.maxBufferSize, 0);
        std::copy(data.begin() + long(at + blockHeadBytes), data.begin() + long(at + blockHeadBytes + bytes),
                  buffers[i].begin());
        headers[i] = MidiBlock{buffers[i].data(), format.maxBufferSize, bytes, i, 0, false};
        at += blockHeadBytes + bytes;
    }
    if (!streamOpen) {
        streamOpen = stream().open(notice);
        report(streamOpen, "midiStreamOpen()");
    }
    if (streamOpen) report(stream().setTimeDivision(format.timeFormat), "midiStreamProperty()");
    platform().recordMusic("open", path, -1);
    return 1;
}

int startMusic(int loop) {
    std::lock_guard<std::mutex> guard(lock);
    return startLocked(loop);
}

int stopMusic() {
    std::lock_guard<std::mutex> guard(lock);
    return stopLocked();
}

int closeMusic() {
    std::lock_guard<std::mutex> guard(lock);
    return closeLocked();
}

void onBlockDone(uint32_t message, uint32_t user, uint32_t tag) {
    if (message != midiBlockDone) return;
    std::lock_guard<std::mutex> guard(lock);
    if (tag != round) return;  // a block of a round that has since been stopped
    platform().recordMusic("done", "", int(user));
    const uint32_t n = user + 1;
    if (manyBlocks == 1) {
        feedBlocks(n);
    } else {
        requeueAllBlocks(n);
    }
}

MusicState musicState() {
    std::lock_guard<std::mutex> guard(lock);
    return {streamOpen, format.timeFormat, format.maxBufferSize, blockCount, manyBlocks,
            musicPlaying, musicLoop, nextBlock, round};
}

}  // namespace varnholt
