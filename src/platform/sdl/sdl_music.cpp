// The SDL back end's music: the MIDI stream is played inside the audio
// callback, split at each record's sample so that timing is exact, into a
// FluidSynth synthesizer with a General-MIDI soundfont, and added to the
// sound effects. Until the soundfont has loaded, or without one, the stream
// still runs, silently, so that the player's loops and notices go on as
// they would.
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_backend_impl.h"

namespace {

const char* const soundfonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};
constexpr double musicGain = 1.0;
constexpr size_t chunkFrames = 512;

// One of the synthesizer's samples on the mix's 16-bit scale; held well
// inside 32 bits whatever the synthesizer answers.
int32_t musicSample(float value) {
    return int32_t(std::lround(std::clamp(value, -16.0f, 16.0f) * 32767.0f));
}

}  // namespace

class SdlBackend::Synth final : public MidiSink {
public:
    // The soundfont takes a third of a second to load, so it loads on a
    // thread of its own while the first frames are shown; the music joins
    // when it is ready. The stream plays on meanwhile, at the same pace.
    Synth(uint32_t rate, MidiLog& log) : log_(log), rate_(rate), loader_([this] { load(); }) {}
    ~Synth() override {
        loader_.join();
        if (synth_ != nullptr) delete_fluid_synth(synth_);
        if (settings_ != nullptr) delete_fluid_settings(settings_);
    }

    // Waits for the soundfont. Called by takeOverAudio, whose caller
    // measures the music.
    void waitUntilLoaded() {
        std::unique_lock<std::mutex> hold(loadLock_);
        loadDone_.wait(hold, [this] { return ready_.load(); });
    }

    void send(double ms, const uint8_t* bytes, int length) override {
        log_.send(ms, bytes, length);
        if (!adopt()) {
            remember(bytes, length);
            return;
        }
        play(bytes, length);
    }

    void allNotesOff() override {
        if (loaded_) fluid_synth_all_notes_off(synth_, -1);
    }

    // Adds `frames` frames of the synthesizer's output to the wide sums in
    // `out`.
    void addTo(int32_t* out, size_t frames) {
        if (!adopt()) return;
        float left[chunkFrames], right[chunkFrames];
        for (size_t done = 0; done < frames;) {
            const size_t count = std::min(chunkFrames, frames - done);
            fluid_synth_write_float(synth_, int(count), left, 0, 1, right, 0, 1);
            for (size_t i = 0; i < count; ++i) {
                int32_t* frame = out + 2 * (done + i);
                frame[0] += musicSample(left[i]);
                frame[1] += musicSample(right[i]);
            }
            done += count;
        }
    }

private:
    // On the loader thread: the synthesizer and its soundfont.
    void load() {
        settings_ = new_fluid_settings();
        if (settings_ != nullptr) {
            fluid_settings_setnum(settings_, "synth.sample-rate", double(rate_));
            fluid_settings_setnum(settings_, "synth.gain", musicGain);
            synth_ = new_fluid_synth(settings_);
        }
        bool found = false;
        if (synth_ != nullptr) {
            for (const char* path : soundfonts) {
                if (fluid_synth_sfload(synth_, path, 1) != FLUID_FAILED) {
                    found = true;
                    break;
                }
            }
            if (!found) std::fprintf(stderr, "No music: no General-MIDI soundfont in /usr/share/sounds/sf2\n");
        }
        fontFound_ = found;
        {
            std::lock_guard<std::mutex> hold(loadLock_);
            ready_.store(true);
        }
        loadDone_.notify_all();
    }

    // On the audio thread: whether the synthesizer plays. The first call
    // after the soundfont has loaded first plays it the channel settings
    // sent before, so the music joins with its own instruments.
    bool adopt() {
        if (loaded_) return true;
        if (!ready_.load() || !fontFound_) return false;
        for (const Remembered& m : missed_) play(m.bytes, m.length);
        missed_.clear();
        missed_.shrink_to_fit();
        loaded_ = true;
        return true;
    }

    // Keeps a channel setting (controller, program, pressure, bend) sent
    // before the soundfont was ready; notes begun then are not heard.
    void remember(const uint8_t* bytes, int length) {
        const int kind = bytes[0] & 0xF0;
        if (kind < 0xB0 || kind > 0xE0 || (ready_.load() && !fontFound_) || missed_.size() >= missedLimit) return;
        Remembered m{};
        m.length = std::min(length, 3);
        std::copy(bytes, bytes + m.length, m.bytes);
        missed_.push_back(m);
    }

    void play(const uint8_t* bytes, int length) {
        const int channel = bytes[0] & 0x0F;
        const int data1 = length > 1 ? bytes[1] : 0;
        const int data2 = length > 2 ? bytes[2] : 0;
        switch (bytes[0] & 0xF0) {
        case 0x80: fluid_synth_noteoff(synth_, channel, data1); break;
        case 0x90:
            if (data2 == 0) {
                fluid_synth_noteoff(synth_, channel, data1);
            } else {
                fluid_synth_noteon(synth_, channel, data1, data2);
            }
            break;
        case 0xA0: fluid_synth_key_pressure(synth_, channel, data1, data2); break;
        case 0xB0: fluid_synth_cc(synth_, channel, data1, data2); break;
        case 0xC0: fluid_synth_program_change(synth_, channel, data1); break;
        case 0xD0: fluid_synth_channel_pressure(synth_, channel, data1); break;
        case 0xE0: fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7); break;
        default: break;
        }
    }

    struct Remembered {
        uint8_t bytes[3];
        int length;
    };
    // Far more than a piece sends in the second the soundfont takes.
    static constexpr size_t missedLimit = 16384;

    MidiLog& log_;
    const uint32_t rate_;
    // Written by the loader before ready_ is set; read after.
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    bool fontFound_ = false;
    std::atomic<bool> ready_{false};
    std::mutex loadLock_;
    std::condition_variable loadDone_;
    // The audio thread's own.
    bool loaded_ = false;
    std::vector<Remembered> missed_;
    std::thread loader_;  // last: it starts once everything above is set up
};

void SdlBackend::SynthDeleter::operator()(Synth* synth) const { delete synth; }

bool SdlBackend::openMidiLog(const std::string& path) { return midiLog_.open(path); }

void SdlBackend::startSynth() {
    if (!synth_) synth_.reset(new Synth(audioRate_, midiLog_));
    midi_.startNotifier();
}

void SdlBackend::waitForSoundfont() {
    if (synth_) synth_->waitUntilLoaded();
}

void SdlBackend::renderMusic(int32_t* out, size_t frames) {
    if (!synth_ || audioRate_ == 0) return;
    const double frameUs = 1e6 / audioRate_;
    // Each stretch ends at the sample of the next record, which then plays
    // before the stretch after it is rendered.
    for (size_t done = 0, guard = 0; done < frames && guard < 100000; ++guard) {
        midi_.advance(0, *synth_);
        size_t count = frames - done;
        const double untilUs = midi_.microsecondsToNextRecord();
        if (untilUs >= 0) count = std::min(count, std::max<size_t>(1, size_t(std::ceil(untilUs / frameUs))));
        synth_->addTo(out + 2 * done, count);
        midi_.advance(double(count) * frameUs, *synth_);
        done += count;
    }
}
