// The browser back end's sound. The page owns the audio context and calls
// renderAudio for every buffer its audio callback fills: the effects are
// mixed by our own mixer, and the MIDI stream is played there, split at
// each record's sample, into the page's FluidSynth (js-synthesizer with
// TimGM6mb). Browsers let sound start only once the player has pressed a
// key or clicked: until then no buffer is asked for, the stream stands
// still and the game runs on silently, never waiting for it.
#include <emscripten.h>

#include <algorithm>
#include <cmath>

#include "platform/web/web_backend.h"

namespace {

// The back end whose sound the page's callback plays.
WebBackend* soundOwner = nullptr;

// The page's sample rate, making its audio context when there is none yet;
// 0 when the browser has no Web Audio.
EM_JS(int, pageAudioRate, (), { return Module.page.audioRate(); });

EM_JS(void, pageMidiMessage, (double ms, int length, int status, int data1, int data2), {
    Module.page.midiMessage(ms, length, status, data1, data2);
});

EM_JS(void, pageAllNotesOff, (), { Module.page.allNotesOff(); });

// Renders `count` frames of the synthesizer into the page's music buffer,
// from frame `offset` of the buffer being filled.
EM_JS(void, pageRenderMusic, (int offset, int count), { Module.page.renderMusic(offset, count); });

}  // namespace

// Called by the page's audio callback; answers null when no sound is open.
extern "C" EMSCRIPTEN_KEEPALIVE const int16_t* webRenderAudio(int frames) {
    return soundOwner != nullptr && frames > 0 ? soundOwner->renderAudio(frames) : nullptr;
}

void WebBackend::PageSynth::send(double ms, const uint8_t* bytes, int length) {
    log_.send(ms, bytes, length);
    pageMidiMessage(ms, length, bytes[0], length > 1 ? bytes[1] : 0, length > 2 ? bytes[2] : 0);
}

void WebBackend::PageSynth::allNotesOff() { pageAllNotesOff(); }

bool WebBackend::openMidiLog(const std::string& path) { return midiLog_.open(path); }

bool WebBackend::openSoundDevice() {
    if (audioRate_ != 0) {
        // The game starts its sound again after every display switch; the
        // page's sound goes on, only the effects are loaded anew.
        mixer_.clear();
        return true;
    }
    const int rate = pageAudioRate();
    if (rate <= 0) return false;
    audioRate_ = uint32_t(rate);
    soundOwner = this;
    return true;
}

bool WebBackend::loadEffect(int index, const SoundFormat& format, std::vector<uint8_t> samples) {
    if (audioRate_ == 0 || index < 0 || index >= soundEffectSlots) return false;
    auto converted = convertEffect(format, samples.data(), samples.size(), audioRate_);
    // A file we cannot play empties its slot rather than leave the old
    // effect behind.
    mixer_.setEffect(index, converted ? std::move(*converted) : std::vector<int16_t>{});
    return converted.has_value();
}

void WebBackend::closeSound() {
    if (soundOwner == this) soundOwner = nullptr;
    audioRate_ = 0;
}

void WebBackend::playEffect(int index) {
    if (audioRate_ != 0) mixer_.play(index);
}

const int16_t* WebBackend::renderAudio(int frames) {
    mixed_.assign(size_t(frames) * 2, 0);
    mixer_.mix(mixed_.data(), size_t(frames));
    const double frameUs = 1e6 / audioRate_;
    // Each stretch ends at the sample of the next record, which then plays
    // before the stretch after it is rendered.
    for (int done = 0, guard = 0; done < frames && guard < 100000; ++guard) {
        midi_.advance(0, synth_);
        int count = frames - done;
        const double untilUs = midi_.microsecondsToNextRecord();
        if (untilUs >= 0) count = std::min(count, std::max(1, int(std::ceil(untilUs / frameUs))));
        pageRenderMusic(done, count);
        midi_.advance(double(count) * frameUs, synth_);
        done += count;
    }
    // The player hears of finished blocks between two of its own waits, on
    // its own thread: the page has only one.
    midi_.deliverNotices();
    return mixed_.data();
}
