// The MIDI stream both back ends offer the music player: blocks of stream
// event records are queued, played back to back in order — delta times in
// ticks at the stream's time division, tempo records, short MIDI messages —
// and each block is reported done once its last record has played.
//
// The stream copies a block's events when it is queued, so the player may
// free its buffers whenever it likes. The clock that plays it belongs to
// the back end: the audio callback of the SDL back end, the virtual clock
// of the headless one. Notices of finished blocks are collected while the
// stream plays and delivered later, outside every lock of the stream, so
// that the notification may call straight back into the stream.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <string>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// One block buffer as the player hands it over.
struct MidiBlock {
    const uint8_t* data = nullptr;
    uint32_t bufferLength = 0;   // bytes of the buffer
    uint32_t bytesRecorded = 0;  // bytes of events in it
    uint32_t user = 0;           // the player's value, returned with the notice (the block's index)
    uint32_t tag = 0;            // a second value returned with the notice (the player's round)
    bool prepared = false;
};

// The notice that the stream has finished with a block.
constexpr uint32_t midiBlockDone = 0x3C9;
// Called by the stream's notifier, never with a lock of the stream held.
using MidiNotify = void (*)(uint32_t message, uint32_t user, uint32_t tag);

// Where the played messages go: a synthesizer, a log, or both. `ms` is the
// time since the stream was last started from a stop, as ticks and tempo
// give it.
class MidiSink {
public:
    virtual ~MidiSink() = default;
    virtual void send(double ms, const uint8_t* bytes, int length) = 0;
    virtual void allNotesOff() = 0;
};

// Writes every message, one line each: the time in milliseconds, then the
// bytes in two-digit hex ("1234.375 90 3C 64"). Both back ends offer it.
class MidiLog final : public MidiSink {
public:
    ~MidiLog() override;
    bool open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    void send(double ms, const uint8_t* bytes, int length) override;
    void allNotesOff() override {}

private:
    std::FILE* file_ = nullptr;
};

class MidiStream {
public:
    MidiStream() = default;
    ~MidiStream();
    MidiStream(const MidiStream&) = delete;
    MidiStream& operator=(const MidiStream&) = delete;

    // The stream operations of the player, each answering whether it
    // succeeded. Called by the back ends' midi* operations.
    bool open(MidiNotify notify);
    bool setTimeDivision(uint32_t ticksPerQuarter);
    bool prepare(MidiBlock& block);
    bool queue(const MidiBlock& block);
    bool restart();
    bool stop();   // all notes off, rewind, every queued block returned as done
    bool reset();  // all notes off
    bool unprepare(MidiBlock& block);
    bool close();

    // Plays `microseconds` more of the stream into the sink. Called by the
    // back end's clock.
    void advance(double microseconds, MidiSink& sink);
    // How long until the next record is due; negative when nothing is.
    double microsecondsToNextRecord();

    // Delivers the notices collected so far, on the calling thread. Called
    // by the headless back end after each advance of its clock.
    void deliverNotices();
    // Finishes the front block at once, as if its last record had played,
    // and delivers the notices. Answers false, finishing nothing, when the
    // front block is not `user` or none waits. Called by a replay, whose
    // music moves as the recording says rather than by a clock.
    bool finishFrontBlock(uint32_t user);
    // Delivers notices on a thread of their own as soon as they arrive.
    // Called once by the SDL back end; the thread ends with the stream.
    void startNotifier();

private:
    struct Queued {
        std::vector<uint8_t> events;
        uint32_t user, tag;
        size_t at = 0;  // next record's offset
    };
    struct Notice {
        uint32_t user, tag;
    };

    // With the lock held.
    bool nextRecord(Queued& block, uint32_t& delta, uint32_t& event, const uint8_t*& extra,
                    uint32_t& extraLength);
    void finishFront();
    void play(uint32_t event, const uint8_t* extra, uint32_t extraLength, MidiSink& sink);
    double dueOfFront();

    std::mutex lock_;
    bool open_ = false;
    bool running_ = false;
    MidiNotify notify_ = nullptr;
    uint32_t division_ = 96;
    uint32_t tempo_ = 500000;   // microseconds per quarter note
    double now_ = 0;            // microseconds of playing since the last start from a stop
    double lastRecord_ = 0;     // when the last record played, on the same clock
    bool allOff_ = false;       // notes must be silenced at the next advance
    std::deque<Queued> queue_;
    std::vector<Notice> notices_;

    std::thread notifier_;
    std::condition_variable noticesWaiting_;
    bool stopping_ = false;
    std::mutex deliveryLock_;  // one delivery at a time, in order
};
