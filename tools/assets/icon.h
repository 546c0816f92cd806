// The game's icon for desktop menus and launchers, drawn in the game's
// palette and written as true-colour pictures.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "canvas.h"
#include "palette.h"

constexpr int iconSize = 64;

// The hero's sword mid-swing over the dark of the cave, iconSize square.
Canvas drawIcon();
// The icon as RGB rows, each pixel repeated `scale` times across and down
// so that larger sizes keep the hard pixel edges of the game's art.
std::vector<uint8_t> iconPixels(const Canvas& icon, const std::array<Rgb, 256>& colours, int scale);
