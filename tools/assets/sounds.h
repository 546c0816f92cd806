// The seven sound effects, synthesised as 16-bit mono samples at
// sampleRate (wav_writer.h).
#pragma once

#include <cstdint>
#include <vector>

std::vector<int16_t> soundSword();
std::vector<int16_t> soundEnemyDies();
std::vector<int16_t> soundBossDies();
std::vector<int16_t> soundMagic();
std::vector<int16_t> soundLevelUp();
std::vector<int16_t> soundPlayerDies();
std::vector<int16_t> soundEarthquake();
