// Windows BMP as the game reads it: 8 bits per pixel, a 40-byte info
// header, 256 colour-table entries, rows bottom-up padded to 4 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "canvas.h"
#include "palette.h"

std::vector<uint8_t> encodeBitmap(const Canvas& picture, const std::array<Rgb, 256>& colours);
