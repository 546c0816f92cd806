// Writes 8-bit RGB pictures as PNG files, for the screenshots of headless runs.
#pragma once

#include <cstdint>
#include <string>

bool writePng(const std::string& path, const uint8_t* rgb, int width, int height);
