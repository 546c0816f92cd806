// The game's two pieces of music, composed here and written as ".mds"
// files: the calm opening theme (通常.mds) and the tense cave theme
// (back.mds). Each loops seamlessly: every note is released before the
// loop's end, which a final no-op marks exactly.
//
// Called by make_assets.
#pragma once

#include <cstdint>
#include <vector>

// F major, 80 beats a minute, 20 bars: one minute. Flute over harp,
// strings, acoustic bass, a piano in the middle section and soft drums.
// 1536-byte blocks.
std::vector<uint8_t> composeOpeningTheme();

// D minor, 96 beats a minute, 32 bars: 80 seconds. A cello ostinato under
// horn, choir, low strings, timpani, tremolo strings and steady drums.
// 960-byte blocks.
std::vector<uint8_t> composeCaveTheme();
