// The back end players run: a real window, keyboard, game controller,
// screen and sound card, all through SDL2.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/platform.h"

// Called by the program entry to choose the SDL back end.
std::unique_ptr<Backend> makeSdlBackend();

// Measuring the audio callback without a sound card. Once the sound of an
// SDL back end is open (SDL's dummy driver will do), stops its device
// asking for buffers, so that the caller alone plays the effects and the
// music, and answers the callback's buffer in frames; 0 when `backend` has
// no SDL sound device. Called by the benchmarks.
size_t takeOverSdlAudio(Backend& backend);
// Fills `frames` stereo frames as the audio callback does, under the
// device lock that SDL holds around the callback.
void renderSdlAudio(Backend& backend, int16_t* out, size_t frames);
