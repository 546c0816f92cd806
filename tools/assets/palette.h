// The one 256-colour palette every sheet carries. The game keeps the
// colour table of the last bitmap it loads, so all eleven share it.
// Colours come in ramps of eight shades, darkest first; art picks a ramp
// and a shade rather than a raw index. Every byte is a multiple of 8 so
// that the game's fades, which step by 8, reach black exactly.
#pragma once

#include <array>
#include <cstdint>

struct Rgb {
    uint8_t red, green, blue;
};

namespace pal {

constexpr uint8_t clear = 0;  // transparent in every sheet, black on screen
constexpr uint8_t ink = 1;    // the outline colour
constexpr uint8_t black = 2;  // opaque black

// Ramp bases; shade k of ramp r is index r + k, k = 0 (dark) .. 7 (light).
constexpr uint8_t grey = 8;
constexpr uint8_t skin = 16;
constexpr uint8_t leather = 24;
constexpr uint8_t stone = 32;
constexpr uint8_t glint = 40;    // a single crystal highlight; its red is animated
constexpr uint8_t crystal = 40;  // 41..47 are the crystal shades 1..7
constexpr uint8_t grass = 48;
constexpr uint8_t blue = 56;
constexpr uint8_t red = 64;
constexpr uint8_t gold = 72;
constexpr uint8_t violet = 80;
constexpr uint8_t teal = 88;
constexpr uint8_t fire = 96;
constexpr uint8_t earth = 104;
constexpr uint8_t deep = 112;
constexpr uint8_t night = 120;
constexpr uint8_t dawn = 128;
constexpr uint8_t bone = 136;
constexpr uint8_t slime = 144;
constexpr uint8_t steel = 152;
constexpr uint8_t dusk = 160;
constexpr uint8_t heather = 168;

constexpr uint8_t white = steel + 7;

// Shade k of a ramp, clamped to the ramp.
constexpr uint8_t shade(uint8_t ramp, int k) {
    return static_cast<uint8_t>(ramp + (k < 0 ? 0 : k > 7 ? 7 : k));
}

}  // namespace pal

std::array<Rgb, 256> gamePaletteColours();
